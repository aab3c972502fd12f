#include "controls/OpcionesEntrada.h"

#include <QSettings>
#include <QWidget>

namespace {

const QString kSección = QStringLiteral("Opciones/");

// "1"/"0" as the program writes them; any other number counts as yes when not
// zero (older files wrote -1), "true"/"false" as well.
bool Marca(const QSettings& s, const char* clave, bool siNo) {
    const QString t = s.value(kSección + QString::fromUtf8(clave)).toString().trimmed();
    if (t.isEmpty()) return siNo;
    bool ok = false;
    const int n = t.toInt(&ok);
    if (ok) return n != 0;
    if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) return true;
    if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) return false;
    return siNo;
}

OpcionesEntrada& EnVigor() {
    static OpcionesEntrada o = OpcionesEntrada::leer();
    return o;
}

}  // namespace

QString TextoColorAjuste(const QColor& c) {
    const uint v = uint(c.red()) | uint(c.green()) << 8 | uint(c.blue()) << 16;
    return QStringLiteral("&H") + QStringLiteral("%1").arg(v, 8, 16, QLatin1Char('0')).toUpper();
}

QColor ColorAjuste(const QString& texto, const QColor& siNo) {
    const QString t = texto.trimmed();
    bool ok = false;
    const uint v = t.startsWith(QLatin1String("&H"), Qt::CaseInsensitive) ? t.mid(2).toUInt(&ok, 16)
                                                                          : t.toUInt(&ok);
    // The high byte marks the old system colours ("&H8000000F"): not a colour of its own.
    if (!ok || v > 0xFFFFFF) return siNo;
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

OpcionesEntrada OpcionesEntrada::leer() {
    const QSettings s;
    OpcionesEntrada o;
    o.colorear = Marca(s, "ColorearActivo", o.colorear);
    o.colorActivo =
        ColorAjuste(s.value(kSección + QStringLiteral("ColorActivo")).toString(), o.colorActivo);
    o.fondoFicha =
        ColorAjuste(s.value(kSección + QStringLiteral("ColorFondoFicha")).toString(), o.fondoFicha);
    o.mayúsculas = Marca(s, "Mayúsculas", o.mayúsculas);
    o.autocompletar = Marca(s, "Autocompletar", o.autocompletar);
    return o;
}

void OpcionesEntrada::aplicar() const {
    QSettings s;
    const auto marca = [](bool sí) { return sí ? QStringLiteral("1") : QStringLiteral("0"); };
    s.setValue(kSección + QStringLiteral("ColorearActivo"), marca(colorear));
    s.setValue(kSección + QStringLiteral("ColorActivo"), TextoColorAjuste(colorActivo));
    s.setValue(kSección + QStringLiteral("ColorFondoFicha"), TextoColorAjuste(fondoFicha));
    s.setValue(kSección + QStringLiteral("Mayúsculas"), marca(mayúsculas));
    s.setValue(kSección + QStringLiteral("Autocompletar"), marca(autocompletar));
    EnVigor() = *this;
    emit AvisoOpciones::instancia().cambiaron();
}

const OpcionesEntrada& OpcionesEntrada::actuales() {
    return EnVigor();
}

void OpcionesEntrada::recargar() {
    EnVigor() = leer();
    emit AvisoOpciones::instancia().cambiaron();
}

AvisoOpciones& AvisoOpciones::instancia() {
    static AvisoOpciones a;
    return a;
}

void ResaltadoActivo::entrar(QWidget& w) {
    const OpcionesEntrada& o = OpcionesEntrada::actuales();
    if (!o.colorear) {
        salir(w);
        return;
    }
    if (!puesto_) propia_ = w.palette();
    QPalette p = propia_;
    // Text boxes paint their field with Base, closed drop-down lists with Button.
    for (const QPalette::ColorRole r : {QPalette::Base, QPalette::Button}) {
        p.setColor(QPalette::Active, r, o.colorActivo);
        p.setColor(QPalette::Inactive, r, o.colorActivo);
    }
    w.setPalette(p);
    puesto_ = true;
}

void ResaltadoActivo::salir(QWidget& w) {
    if (!puesto_) return;
    puesto_ = false;
    w.setPalette(propia_);
}

void ResaltadoActivo::actualizar(QWidget& w, bool conFoco) {
    if (conFoco)
        entrar(w);
    else
        salir(w);
}
