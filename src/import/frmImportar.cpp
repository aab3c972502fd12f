#include "import/frmImportar.h"

#include "controls/Varios.h"
#include "controls/ceBoton.h"
#include "import/cImportador.h"
#include "shell/Fallas.h"
#include "store/ErrorAlmacen.h"
#include "store/Interaccion.h"
#include "store/Valores.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

frmImportar::frmImportar(QWidget* parent)
    : QDialog(parent),
      archivo_(new QLineEdit(this)),
      entrada_(new QWidget(this)),
      estadísticas_(new QWidget(this)),
      estado_(new QLabel(this)),
      todos_(new QLabel(QStringLiteral("0"), this)),
      importados_(new QLabel(QStringLiteral("0"), this)),
      omitidos_(new QLabel(QStringLiteral("0"), this)),
      actualizados_(new QLabel(QStringLiteral("0"), this)),
      barra_(new QProgressBar(this)),
      importar_(new QPushButton(style()->standardIcon(QStyle::SP_ArrowDown),
                                QStringLiteral("&Importar"), this)),
      cerrar_(new QPushButton(QStringLiteral("&Cerrar"), this)) {
    setObjectName(QStringLiteral("frmImportar"));
    setWindowTitle(QStringLiteral("Importar desde Norvexa"));
    QVBoxLayout* l = MarcoDeDiálogo(
        *this, QStringLiteral("Desde aquí Ud. puede actualizar la base de datos de "
                              "Candora con información de Norvexa u otros sistemas."));
    entrada_->setObjectName(QStringLiteral("picFichas"));
    auto* e = new QHBoxLayout(entrada_);
    e->setContentsMargins(16, 12, 16, 12);
    auto* rótulo = new QLabel(QStringLiteral("&Leer desde:"), entrada_);
    rótulo->setObjectName(QStringLiteral("Label3"));
    rótulo->setBuddy(archivo_);
    archivo_->setObjectName(QStringLiteral("txtArchivo"));
    archivo_->setMinimumWidth(300);
    auto* examinar = new QToolButton(entrada_);
    examinar->setText(QStringLiteral("..."));
    examinar->setToolTip(QStringLiteral("Elegir el archivo de intercambio"));
    examinar->setObjectName(QStringLiteral("cmdExaminar"));
    importar_->setParent(entrada_);
    importar_->setObjectName(QStringLiteral("cmdImportar"));
    importar_->setDefault(true);
    e->addWidget(rótulo);
    e->addWidget(archivo_, 1);
    e->addWidget(examinar);
    e->addWidget(importar_);
    connect(examinar, &QToolButton::clicked, this, &frmImportar::examinar);
    connect(importar_, &QPushButton::clicked, this, &frmImportar::importar);
    // A new path makes Enter import again.
    connect(archivo_, &QLineEdit::textEdited, this, [this] { importar_->setDefault(true); });
    l->addWidget(entrada_);

    estadísticas_->setObjectName(QStringLiteral("picEstadísticas"));
    auto* g = new QGridLayout(estadísticas_);
    g->setContentsMargins(16, 12, 16, 12);
    auto* título = new QLabel(QStringLiteral("<b>Estadísticas de importación</b>"), estadísticas_);
    g->addWidget(título, 0, 0, 1, 2);
    estado_->setParent(estadísticas_);
    estado_->setObjectName(QStringLiteral("lblEstado"));
    estado_->setWordWrap(true);
    g->addWidget(estado_, 1, 0, 1, 2);
    int fila = 2;
    for (auto [texto, etiqueta, nombre] :
         {std::tuple{"Registros en archivo de intercambio", todos_, "lblTodos"},
          std::tuple{"Registros nuevos", importados_, "lblImportados"},
          std::tuple{"Registros omitidos", omitidos_, "lblOmitidos"},
          std::tuple{"Registros actualizados", actualizados_, "lblActualizados"}}) {
        etiqueta->setObjectName(QString::fromUtf8(nombre));
        etiqueta->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        etiqueta->setMinimumWidth(80);
        g->addWidget(new QLabel(QString::fromUtf8(texto), estadísticas_), fila, 0);
        g->addWidget(etiqueta, fila++, 1);
    }
    barra_->setObjectName(QStringLiteral("prgAvance"));
    g->addWidget(barra_, fila, 0, 1, 2);
    estadísticas_->hide();
    l->addWidget(estadísticas_);
    l->addWidget(new ceDivisor(this));
    auto* pie = new QHBoxLayout;
    pie->setContentsMargins(16, 4, 16, 0);
    pie->addStretch(1);
    cerrar_->setObjectName(QStringLiteral("cmdCerrar"));
    cerrar_->setAutoDefault(false);
    connect(cerrar_, &QPushButton::clicked, this, &QDialog::accept);
    pie->addWidget(cerrar_);
    l->addLayout(pie);
    setMinimumWidth(640);
}

void frmImportar::examinar() {
    const QString actual = archivo_->text().trimmed();
    const QString elegido = ElegirArchivo(
        {false, QStringLiteral("Importar desde"),
         actual.isEmpty() ? QDir::currentPath() : QFileInfo(actual).absoluteFilePath(),
         QStringLiteral("Archivos de intercambio Norvexa (*.nvx);;Todos los archivos (*)")});
    if (elegido.isEmpty()) return;
    archivo_->setText(elegido);
    importar_->setDefault(true);
    importar_->setFocus();
}

void frmImportar::importar() {
    // The path as typed, only trimmed: Linux paths are case-sensitive.
    const QString ruta = archivo_->text().trimmed();
    if (ruta.isEmpty() || !QFileInfo(ruta).isFile()) {
        MsgBox(QStringLiteral(
                   "El archivo especificado no existe. No se ha realizado ninguna importación."),
               Icono::Exclamación);
        return;
    }
    corriendo_ = true;
    cerrar_->setEnabled(false);
    entrada_->setEnabled(false);
    estado_->setText(QStringLiteral("Actualizando base de datos..."));
    for (QLabel* l : {todos_, importados_, omitidos_, actualizados_})
        l->setText(QStringLiteral("0"));
    barra_->reset();
    estadísticas_->show();
    repaint();
    cImportador imp;
    imp.Archivo = ruta;
    int hechos = 0;
    const auto mostrar = [&] {
        importados_->setText(QString::number(imp.Cnt_Postulantes));
        omitidos_->setText(QString::number(imp.Cnt_Vacíos));
        actualizados_->setText(QString::number(imp.cnt_Actualizados));
    };
    // Reading a large file takes a while too: the bar shows how much is read.
    barra_->setRange(0, 100);
    barra_->setFormat(QStringLiteral("Leyendo el archivo: %p%"));
    imp.alPreparar = [&](int porcentaje) {
        barra_->setValue(porcentaje);
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    imp.alEmpezar = [&](int total) {
        todos_->setText(QString::number(total));
        barra_->setFormat(QStringLiteral("%p%"));
        barra_->setValue(0);
        barra_->setRange(0, std::max(total, 1));
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    imp.alAvanzar = [&] {
        barra_->setValue(++hechos);
        mostrar();
        if (hechos % 25 == 0) QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    uint8_t r = 1;
    try {
        RelojDeArena reloj;
        r = imp.leer_intercambio();
    } catch (const ErrorAlmacen& e) {
        InformarFalla(QStringLiteral("No se pudo importar el archivo."), e);
    }
    mostrar();
    const QString nombre = QFileInfo(ruta).fileName();
    if (r == 0)
        estado_->setText(QStringLiteral("Importación de «%1» finalizada.").arg(nombre));
    else if (imp.Cnt_Postulantes + imp.cnt_Actualizados == 0)
        estado_->setText(QStringLiteral("No se importó nada de «%1».").arg(nombre));
    else
        estado_->setText(
            QStringLiteral("La importación de «%1» se detuvo antes de terminar; los registros "
                           "contados como nuevos y actualizados quedaron guardados.")
                .arg(nombre));
    if (!imp.posiblesDuplicados.empty()) {
        const ParDuplicado& p = imp.posiblesDuplicados.front();
        const bool uno = imp.posiblesDuplicados.size() == 1;
        estado_->setText(
            estado_->text() +
            QStringLiteral("\n%1 %2 (se importaron igual: sólo el documento decide quién es "
                           "quién). %3: %4 y %5, con %6.")
                .arg(TextoCantidad(int(imp.posiblesDuplicados.size()),
                                   QStringLiteral("postulante nuevo"),
                                   QStringLiteral("postulantes nuevos")),
                     uno ? QStringLiteral("podría estar repetido")
                         : QStringLiteral("podrían estar repetidos"),
                     uno ? QStringLiteral("Es") : QStringLiteral("El primero"), p.nombreA,
                     p.nombreB, p.evidencia()));
    }
    if (!imp.reaparecidos.empty()) {
        const Reaparecido& r = imp.reaparecidos.front();
        const QString quién = r.postulante.nombre, cuándo = FormatearFechaHora(r.supresión.momento);
        estado_->setText(
            estado_->text() + u'\n' +
            (imp.reaparecidos.size() == 1
                 ? QStringLiteral("1 postulante nuevo, %1, tiene el documento de alguien cuyos "
                                  "datos se suprimieron el %2 (%3). Antes de conservarlo, "
                                  "asegúrese de que la persona está de acuerdo.")
                       .arg(quién, cuándo, r.supresión.detalle)
                 : QStringLiteral("%1 postulantes nuevos tienen el documento de personas cuyos "
                                  "datos se suprimieron; el primero, %2, el %3 (%4). Antes de "
                                  "conservarlos, asegúrese de que esas personas están de acuerdo.")
                       .arg(QString::number(imp.reaparecidos.size()), quién, cuándo,
                            r.supresión.detalle)));
    }
    // A summary of several lines grows the window instead of being cut.
    if (layout()->hasHeightForWidth())
        resize(width(), std::max(height(), layout()->totalHeightForWidth(width())));
    corriendo_ = false;
    cerrar_->setEnabled(true);
    entrada_->setEnabled(true);
    // Enter now closes; choosing another file makes it import again.
    cerrar_->setDefault(true);
    cerrar_->setFocus();
    if (r == 0) MsgBox(QStringLiteral("Importación finalizada."), Icono::Información);
}

void frmImportar::closeEvent(QCloseEvent* e) {
    if (corriendo_)
        e->ignore();  // the close box waits for the run to end
    else
        QDialog::closeEvent(e);
}

void frmImportar::reject() {
    if (!corriendo_) QDialog::reject();
}
