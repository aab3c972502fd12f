#include "filecard/Dialogos.h"

#include "controls/Varios.h"
#include "controls/ceBoton.h"
#include "controls/ceCombo.h"
#include "controls/ceTxtBox.h"
#include "filecard/Campos.h"
#include "shell/Iconos.h"
#include "shell/Posiciones.h"
#include "store/Cadenas.h"
#include "store/Diccionario.h"
#include "store/Interaccion.h"
#include "store/Rangos.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {

void Elegir(ceDropList& l, int índice) {
    l.setListIndex(índice < l.ListCount() ? índice : -1);
}

}  // namespace

DialogoSubregistro::DialogoSubregistro(const char* nombre, int título, int texto, QWidget* parent)
    : QDialog(parent), formulario_(new QFormLayout) {
    setObjectName(QString::fromUtf8(nombre));
    QVBoxLayout* l = MarcoDeDiálogo(
        *this,
        QStringLiteral("<b>%1</b><br><span style='font-weight:normal'>%2</span>")
            .arg(CadenaRecurso(título).toHtmlEscaped(), CadenaRecurso(texto).toHtmlEscaped()));
    formulario_->setContentsMargins(16, 8, 16, 8);
    formulario_->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->addLayout(formulario_, 1);
    connect(PieDeDiálogo(*this, *l), &ceBoton::Click, this, [this] {
        if (!completo() || !enRango()) return;
        tomarCampos();
        aceptado = true;
        accept();
    });
}

void DialogoSubregistro::exigirRango(ceTxtBox* t, const char* tabla, const char* columna) {
    rangos_.emplace_back(t, RangoDe(QLatin1String(tabla), QLatin1String(columna)));
}

void DialogoSubregistro::exigir(ceDropList* l, const char* nombre) {
    principal_ = l;
    nombrePrincipal_ = QString::fromUtf8(nombre);
}

bool DialogoSubregistro::completo() {
    if (!principal_ || IdElegido(*principal_) != 0) return true;
    MsgBox(QStringLiteral("Debe elegir %1.").arg(nombrePrincipal_), Icono::Exclamación,
           Botones::Aceptar, QStringLiteral("Falta ") + nombrePrincipal_);
    principal_->setFocus();
    return false;
}

bool DialogoSubregistro::enRango() {
    for (const auto& [t, r] : rangos_) {
        const QString texto = t->text().trimmed();
        if (!t->isEnabled() || !r ||
            FueraDeRango(*r, texto.isEmpty() ? QStringLiteral("0") : texto).isEmpty())
            continue;
        MsgBox(QStringLiteral("El %1 debe ser %2.").arg(NombreRango(*r), DescripciónRango(*r)),
               Icono::Exclamación);
        t->setFocus();
        t->selectAll();
        return false;
    }
    return true;
}

void DialogoSubregistro::preparar(bool nuevo) {
    setWindowTitle(CadenaRecurso(nuevo ? 54 : 55));
    mostrarCampos();
}

void DialogoSubregistro::showEvent(QShowEvent* e) {
    if (!posiciónPuesta_) {
        adjustSize();
        RestaurarPosición(*this);
        posiciónPuesta_ = true;
        if (principal_) principal_->setFocus();
    }
    QDialog::showEvent(e);
}

void DialogoSubregistro::done(int r) {
    if (r != Accepted) aceptado = false;
    GuardarPosición(*this);
    QDialog::done(r);
}

ceDropList* DialogoSubregistro::lista(int rótulo, const char* nombre) {
    auto* c = new ceDropList(this);
    c->setObjectName(QString::fromUtf8(nombre));
    c->setMinimumWidth(260);
    formulario_->addRow(CadenaRecurso(rótulo), c);
    return c;
}

ceCombo* DialogoSubregistro::libre(int rótulo, const char* nombre) {
    auto* c = new ceCombo(this);
    c->setObjectName(QString::fromUtf8(nombre));
    c->setMinimumWidth(260);
    formulario_->addRow(CadenaRecurso(rótulo), c);
    return c;
}

ceTxtBox* DialogoSubregistro::número(int rótulo, const char* nombre, int ancho, qint64 máximo) {
    auto* t = new ceTxtBox(this);
    t->setObjectName(QString::fromUtf8(nombre));
    t->setMascara(1);
    t->setMáximo(máximo);
    t->setMaximumWidth(ancho);
    formulario_->addRow(CadenaRecurso(rótulo), t);
    return t;
}

ceTxtBox* DialogoSubregistro::texto(int rótulo, const char* nombre) {
    auto* t = new ceTxtBox(this);
    t->setObjectName(QString::fromUtf8(nombre));
    formulario_->addRow(CadenaRecurso(rótulo), t);
    return t;
}

QCheckBox* DialogoSubregistro::marca(int rótulo, const char* nombre) {
    auto* c = new QCheckBox(CadenaRecurso(rótulo), this);
    c->setObjectName(QString::fromUtf8(nombre));
    formulario_->addRow(QString(), c);
    return c;
}

QPlainTextEdit* DialogoSubregistro::párrafo(int rótulo, const char* nombre) {
    auto* t = new QPlainTextEdit(this);
    t->setObjectName(QString::fromUtf8(nombre));
    t->setTabChangesFocus(true);
    t->setFixedHeight(72);
    formulario_->addRow(CadenaRecurso(rótulo), t);
    return t;
}

// Family member.

frmAgregarFamiliar::frmAgregarFamiliar(QWidget* parent)
    : DialogoSubregistro("frmAgregarFamiliar", 900, 901, parent) {
    parentesco_ = lista(902, "cmbParentesco");
    exigir(parentesco_, "el parentesco");
    nombre_ = texto(903, "txtNombre");
    edad_ = número(904, "txtEdad", 60, kByte);
    ocupación_ = libre(905, "cmbOcupación");
    empresa_ = libre(906, "cmbEmpresa");
    vive_ = marca(907, "chkVive");
    convive_ = marca(908, "chkConvive");
    aCargo_ = marca(909, "chkACargo");
}

void frmAgregarFamiliar::mostrarCampos() {
    LlenarLista(*parentesco_, "nvx_m_parentescos", false, familiar.Parentesco, false);
    nombre_->setText(familiar.Nombre);
    edad_->setText(TextoNúmero(familiar.Edad, true));
    LlenarLista(*ocupación_, "nvx_m_ocupaciones", false, familiar.Ocupación);
    LlenarLista(*empresa_, "nvx_m_empleadores", false, familiar.Empresa);
    vive_->setChecked(familiar.Vive);
    convive_->setChecked(familiar.Convive);
    aCargo_->setChecked(familiar.Acargo);
}

void frmAgregarFamiliar::tomarCampos() {
    nombre_->limpiar();
    familiar.Parentesco = uint8_t(IdElegido(*parentesco_));
    familiar.Nombre = nombre_->text().trimmed();
    familiar.Edad = uint8_t(NúmeroDe(*edad_, kByte));
    familiar.Ocupación = ElementoElegido(*ocupación_, "nvx_m_ocupaciones");
    familiar.Empresa = ElementoElegido(*empresa_, "nvx_m_empleadores");
    familiar.Vive = vive_->isChecked();
    familiar.Convive = convive_->isChecked();
    familiar.Acargo = aCargo_->isChecked();
}

// Education.

frmAgregarFormacion::frmAgregarFormacion(QWidget* parent)
    : DialogoSubregistro("frmAgregarFormación", 1000, 1001, parent) {
    tipo_ = lista(1002, "cmbTipo");
    exigir(tipo_, "el tipo de formación");
    área_ = lista(1003, "cmbÁrea");
    título_ = libre(1004, "cmbTítulo");
    institución_ = libre(1005, "cmbInstitución");
    estado_ = lista(1006, "cmbEstado");
    aprobadas_ = número(1007, "txtMateriasAprobadas", 60, kByte);
    restantes_ = número(1008, "txtMateriasRestantes", 60, kByte);
    ingreso_ = número(1009, "txtAñoIngreso", 80, k16);
    último_ = número(1010, "txtÚltimoAño", 80, k16);
    exigirRango(ingreso_, "nvx_d_formacion", "ingreso");
    exigirRango(último_, "nvx_d_formacion", "ultimo");
    promedio_ = número(1011, "txtPromedio", 80, 0);
    promedio_->setMascara(2);
    completos_ = número(1012, "txtAñosCompletos", 60, kByte);
}

void frmAgregarFormacion::mostrarCampos() {
    LlenarLista(*tipo_, "nvx_m_formacion_tipos", true, formación.Tipo, false);
    LlenarLista(*área_, "nvx_m_formacion_areas", false, formación.área, false);
    LlenarLista(*título_, "nvx_m_titulos", false, formación.Título);
    LlenarLista(*institución_, "nvx_m_formacion_institutos", false, formación.institución);
    LlenarLista(*estado_, "nvx_m_formacion_estados", true, formación.estado, false);
    aprobadas_->setText(TextoNúmero(formación.MateriasAprobadas, true));
    restantes_->setText(TextoNúmero(formación.MateriasRestantes, true));
    ingreso_->setText(TextoNúmero(formación.AñoIngreso, true));
    último_->setText(TextoNúmero(formación.AñoÚltimo, true));
    promedio_->setText(TextoNúmero(formación.Promedio, true));
    completos_->setText(TextoNúmero(formación.AñosCompletos, true));
}

void frmAgregarFormacion::tomarCampos() {
    formación.Tipo = uint8_t(IdElegido(*tipo_));
    formación.área = uint8_t(IdElegido(*área_));
    formación.Título = ElementoElegido(*título_, "nvx_m_titulos");
    formación.institución = ElementoElegido(*institución_, "nvx_m_formacion_institutos");
    formación.estado = uint8_t(IdElegido(*estado_));
    formación.MateriasAprobadas = uint8_t(NúmeroDe(*aprobadas_, kByte));
    formación.MateriasRestantes = uint8_t(NúmeroDe(*restantes_, kByte));
    formación.AñoIngreso = int16_t(NúmeroDe(*ingreso_, k16));
    formación.AñoÚltimo = int16_t(NúmeroDe(*último_, k16));
    formación.Promedio = float(DecimalDe(*promedio_));
    formación.AñosCompletos = uint8_t(NúmeroDe(*completos_, kByte));
}

// Language.

frmAgregarIdioma::frmAgregarIdioma(QWidget* parent)
    : DialogoSubregistro("frmAgregarIdioma", 1100, 1101, parent) {
    idioma_ = lista(1102, "cmbIdioma");
    exigir(idioma_, "el idioma");
    lee_ = lista(1103, "cmbLee");
    habla_ = lista(1104, "cmbHabla");
    escribe_ = lista(1105, "cmbEscribe");
}

void frmAgregarIdioma::mostrarCampos() {
    LlenarLista(*idioma_, "nvx_m_idiomas", false, idioma.Idioma, false);
    LlenarLista(*lee_, "nvx_m_idiomas_niveles", true, idioma.Lee, false);
    LlenarLista(*habla_, "nvx_m_idiomas_niveles", true, idioma.Habla, false);
    LlenarLista(*escribe_, "nvx_m_idiomas_niveles", true, idioma.Escribe, false);
}

void frmAgregarIdioma::tomarCampos() {
    idioma.Idioma = uint8_t(IdElegido(*idioma_));
    idioma.Lee = uint8_t(IdElegido(*lee_));
    idioma.Habla = uint8_t(IdElegido(*habla_));
    idioma.Escribe = uint8_t(IdElegido(*escribe_));
}

// Work experience.

frmAgregarExperiencia::frmAgregarExperiencia(QWidget* parent)
    : DialogoSubregistro("frmAgregarExperiencia", 813, 812, parent) {
    puesto_ = lista(800, "cmbPuesto");
    exigir(puesto_, "el puesto");
    área_ = lista(801, "cmbÁrea");
    empleador_ = libre(802, "cmbEmpleador");
    rubro_ = lista(809, "cmbRubro");
    const auto fecha = [this](int rótulo, const char* mes, const char* año, ceDropList*& m,
                              ceTxtBox*& a) {
        auto* fila = new QHBoxLayout;
        m = new ceDropList(this);
        m->setObjectName(QString::fromUtf8(mes));
        LlenarMeses(*m);
        a = new ceTxtBox(this);
        a->setObjectName(QString::fromUtf8(año));
        a->setMascara(1);
        a->setMáximo(k16);
        a->setMaximumWidth(80);
        a->setPlaceholderText(CadenaRecurso(816));
        fila->addWidget(m);
        fila->addWidget(a);
        fila->addStretch(1);
        formulario()->addRow(CadenaRecurso(rótulo), fila);
    };
    fecha(804, "cmbIngreso", "txtIngreso", mesIngreso_, añoIngreso_);
    fecha(805, "cmbEgreso", "txtEgreso", mesEgreso_, añoEgreso_);
    exigirRango(añoIngreso_, "nvx_d_experiencia", "ingreso_ano");
    exigirRango(añoEgreso_, "nvx_d_experiencia", "egreso_ano");
    actual_ = marca(806, "chkActual");
    genteACargo_ = marca(807, "chkGenteACargo");
    tareas_ = párrafo(808, "txtTareas");
    remuneración_ = número(810, "txtRemuneración", 140, 0);
    remuneración_->setMascara(2);
    motivo_ = lista(803, "cmbMotivoRenuncia");
    observaciones_ = párrafo(811, "txtObservaciones");
    // A current job has no end yet.
    connect(actual_, &QCheckBox::toggled, this, [this](bool sí) {
        mesEgreso_->setEnabled(!sí);
        añoEgreso_->setEnabled(!sí);
    });
}

void frmAgregarExperiencia::mostrarCampos() {
    const cExperiencia& x = experiencia;
    LlenarLista(*puesto_, "nvx_m_experiencia_puestos", true, x.puesto, false);
    LlenarLista(*área_, "nvx_m_experiencia_areas", true, x.área, false);
    LlenarLista(*empleador_, "nvx_m_empleadores", true, x.empleador, true);
    LlenarLista(*rubro_, "nvx_m_empleadores_rubros", true, x.empleador_rubro, false, true);
    LlenarLista(*motivo_, "nvx_m_motivos_egreso", true, x.motivo_egreso, false);
    Elegir(*mesIngreso_, x.ingreso_mes - 1);
    añoIngreso_->setText(TextoNúmero(x.ingreso_año, true));
    Elegir(*mesEgreso_, x.egreso_mes - 1);
    añoEgreso_->setText(TextoNúmero(x.egreso_año, true));
    actual_->setChecked(x.empleo_actual != 0);
    genteACargo_->setChecked(x.gente_acargo != 0);
    tareas_->setPlainText(x.actividades);
    remuneración_->setText(x.remuneración == QLatin1String("0") ? QString() : x.remuneración);
    observaciones_->setPlainText(x.Observaciones);
}

void frmAgregarExperiencia::tomarCampos() {
    cExperiencia& x = experiencia;
    x.área = uint8_t(IdElegido(*área_));
    x.puesto = uint8_t(IdElegido(*puesto_));
    x.empleador = ElementoElegido(*empleador_, "nvx_m_empleadores");
    x.empleador_rubro = IdElegido(*rubro_);
    x.ingreso_mes = uint8_t(mesIngreso_->ListIndex() + 1);
    x.ingreso_año = int16_t(NúmeroDe(*añoIngreso_, k16));
    x.empleo_actual = actual_->isChecked() ? 1 : 0;
    x.egreso_mes = x.empleo_actual ? 0 : uint8_t(mesEgreso_->ListIndex() + 1);
    x.egreso_año = x.empleo_actual ? 0 : int16_t(NúmeroDe(*añoEgreso_, k16));
    x.gente_acargo = genteACargo_->isChecked() ? 1 : 0;
    x.actividades = tareas_->toPlainText().trimmed();
    x.remuneración = remuneración_->text().trimmed();  // empty: no pay stated
    x.motivo_egreso = uint8_t(IdElegido(*motivo_));
    x.Observaciones = observaciones_->toPlainText().trimmed();
}

// Area of interest.

frmAgregarInteres::frmAgregarInteres(QWidget* parent)
    : DialogoSubregistro("frmAgregarInterés", 1200, 1201, parent) {
    área_ = lista(1202, "cmbÁrea");
    exigir(área_, "el área");
}

void frmAgregarInteres::mostrarCampos() {
    LlenarLista(*área_, "nvx_m_experiencia_areas", true, área, false);
}

void frmAgregarInteres::tomarCampos() {
    área = uint8_t(IdElegido(*área_));
}
