#include "documents/ListaDocumentos.h"

#include "documents/Documentos.h"
#include "store/Archivos.h"
#include "store/Conexion.h"
#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"
#include "store/Interaccion.h"
#include "store/Valores.h"

#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

namespace {
const QString kTítuloAgregar = QStringLiteral("Agregar documento");
}

QStringList ArchivosArrastrados(const QMimeData* datos) {
    QStringList archivos;
    if (datos && datos->hasUrls())
        for (const QUrl& u : datos->urls())
            if (u.isLocalFile() && QFileInfo(u.toLocalFile()).isFile()) archivos << u.toLocalFile();
    return archivos;
}

ListaDocumentos::ListaDocumentos(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("lstDocumentos"));
    setAccessibleName(QStringLiteral("Documentos"));
    setHeaderLabels({QStringLiteral("Documento"), QStringLiteral("Tipo"), QStringLiteral("Tamaño"),
                     QStringLiteral("Agregado")});
    setRootIsDecorated(false);
    setAllColumnsShowFocus(true);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int c = 1; c < 4; ++c) header()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    connect(this, &QTreeWidget::itemActivated, this, [this] { abrir(); });
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        QMenu menú(this);
        const bool hay = elegido() != 0;
        const auto acción = [&](const char* nombre, const QString& texto, auto hacer, bool sí) {
            QAction* a = menú.addAction(texto, this, hacer);
            a->setObjectName(QString::fromLatin1(nombre));
            a->setEnabled(sí);
        };
        acción("mnuDocumentoAgregar", QStringLiteral("&Agregar…"), &ListaDocumentos::agregar,
               postulante_ != 0 && editable_);
        acción("mnuDocumentoAbrir", QStringLiteral("A&brir"), &ListaDocumentos::abrir, hay);
        acción("mnuDocumentoGuardar", QStringLiteral("&Guardar una copia…"),
               &ListaDocumentos::guardarCopia, hay);
        acción("mnuDocumentoQuitar", QStringLiteral("&Quitar"), &ListaDocumentos::quitar,
               hay && editable_);
        menú.exec(viewport()->mapToGlobal(p));
    });
}

void ListaDocumentos::cargar(int32_t postulante) {
    postulante_ = postulante;
    const int32_t antes = elegido();
    clear();
    if (postulante_ == 0) return;
    try {
        for (const Documento& x : DocumentosDe(Almacén(), postulante_)) {
            auto* i =
                new QTreeWidgetItem(this, {x.nombre, NombreTipo(x.tipo), TextoTamaño(x.tamaño),
                                           FormatearFechaHora(x.agregado)});
            i->setData(0, Qt::UserRole, x.id);
            i->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
            if (x.estado != EstadoTexto::Extraído)
                i->setToolTip(0, QStringLiteral("Sin texto extraíble: no aparece en las búsquedas "
                                                "por palabras."));
            if (x.id == antes) setCurrentItem(i);
        }
    } catch (const ErrorAlmacen& e) {
        InformarError(QStringLiteral("No se pudieron leer los documentos del postulante."), e);
    }
    if (!currentItem() && topLevelItemCount() > 0) setCurrentItem(topLevelItem(0));
}

int32_t ListaDocumentos::elegido() const {
    const QTreeWidgetItem* i = currentItem();
    return i ? i->data(0, Qt::UserRole).toInt() : 0;
}

QString ListaDocumentos::sello() const {
    return VacíoSiNulo(Almacén().valorÚnico(
        QStringLiteral("select actualizado from nvx_m_postulantes where id = ?"), {postulante_}));
}

bool ListaDocumentos::cambiable() const {
    if (!editable_)
        MostrarEstado(QStringLiteral("Habilite la edición para agregar o quitar documentos."));
    return editable_;
}

void ListaDocumentos::agregar() {
    if (!cambiable()) return;
    if (postulante_ == 0) {
        MsgBox(QStringLiteral("Guarde la ficha antes de agregarle documentos."), Icono::Información,
               Botones::Aceptar, kTítuloAgregar);
        return;
    }
    const QString archivo = ElegirArchivo(
        {false,
         kTítuloAgregar,
         {},
         QStringLiteral("Documentos (*.pdf *.docx *.odt *.rtf *.txt *.htm *.html);;Todos los "
                        "archivos (*)")});
    if (!archivo.isEmpty()) agregarArchivos({archivo});
}

void ListaDocumentos::agregarArchivos(const QStringList& archivos) {
    if (archivos.isEmpty() || !cambiable()) return;
    if (postulante_ == 0) {
        agregar();  // says why not
        return;
    }
    RelojDeArena reloj;
    int32_t último = 0;
    try {
        const QString antes = sello();
        for (const QString& archivo : archivos) {
            const QString nombre = QFileInfo(archivo).fileName();
            QFile f(archivo);
            if (!f.open(QIODevice::ReadOnly)) {
                MsgBox(QStringLiteral("No se puede leer «%1».").arg(archivo), Icono::Exclamación,
                       Botones::Aceptar, kTítuloAgregar);
                continue;
            }
            if (f.size() > MáximoDocumento()) {  // refused before it is read whole
                MsgBox(QStringLiteral("«%1» ocupa %2 y el máximo es %3.")
                           .arg(nombre, TextoTamaño(f.size()), TextoTamaño(MáximoDocumento())),
                       Icono::Exclamación, Botones::Aceptar, kTítuloAgregar);
                continue;
            }
            try {
                bool yaEstaba = false;
                último = AgregarDocumento(Almacén(), postulante_, nombre, f.readAll(),
                                          UsuarioActual, &yaEstaba);
                MostrarEstado(yaEstaba ? QStringLiteral("«%1» ya estaba guardado.").arg(nombre)
                                       : QStringLiteral("Documento agregado: %1.").arg(nombre));
            } catch (const ErrorAlmacen& e) {
                InformarError(QStringLiteral("No se pudo agregar «%1».").arg(nombre), e);
            }
        }
        emit sellado(antes, sello());
    } catch (const ErrorAlmacen& e) {
        InformarError(QStringLiteral("No se pudieron agregar los documentos."), e);
    }
    cargar(postulante_);
    for (int i = 0; i < topLevelItemCount(); ++i)
        if (topLevelItem(i)->data(0, Qt::UserRole).toInt() == último)
            setCurrentItem(topLevelItem(i));
}

void ListaDocumentos::abrir() {
    if (const int32_t id = elegido()) AbrirDocumento(Almacén(), id);
}

void ListaDocumentos::guardarCopia() {
    const int32_t id = elegido();
    if (!id) return;
    const QString destino =
        ElegirArchivo({true, QStringLiteral("Guardar una copia del documento"),
                       currentItem()->text(0), QStringLiteral("Todos los archivos (*)")});
    if (!destino.isEmpty() && GuardarCopiaDocumento(Almacén(), id, destino))
        MostrarEstado(QStringLiteral("Copia guardada en %1.").arg(destino));
}

void ListaDocumentos::quitar() {
    const int32_t id = elegido();
    if (!id || !cambiable()) return;
    if (MsgBox(QStringLiteral("¿Quitar el documento «%1» de la ficha?\n\nSe borra de la base de "
                              "datos; el archivo original no se toca.")
                   .arg(currentItem()->text(0)),
               Icono::Pregunta, Botones::SíNo, QStringLiteral("Quitar documento"),
               Respuesta::No) != Respuesta::Sí)
        return;
    try {
        const QString antes = sello();
        QuitarDocumento(Almacén(), id);
        emit sellado(antes, sello());
    } catch (const ErrorAlmacen& e) {
        InformarError(QStringLiteral("No se pudo quitar el documento."), e);
    }
    cargar(postulante_);
}

void ListaDocumentos::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_Insert:
            agregar();
            return;
        case Qt::Key_Delete:
            quitar();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            abrir();
            return;
        default:
            QTreeWidget::keyPressEvent(e);
    }
}

void ListaDocumentos::dragEnterEvent(QDragEnterEvent* e) {
    if (!ArchivosArrastrados(e->mimeData()).isEmpty()) e->acceptProposedAction();
}

void ListaDocumentos::dragMoveEvent(QDragMoveEvent* e) {
    if (!ArchivosArrastrados(e->mimeData()).isEmpty()) e->acceptProposedAction();
}

void ListaDocumentos::dropEvent(QDropEvent* e) {
    const QStringList archivos = ArchivosArrastrados(e->mimeData());
    if (archivos.isEmpty()) return;
    e->acceptProposedAction();
    agregarArchivos(archivos);
}
