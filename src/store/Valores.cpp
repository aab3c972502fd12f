#include "store/Valores.h"

#include "store/Controles.h"

#include <QDateTime>
#include <QLocale>

#include <cmath>

QString VacíoSiNulo(const QVariant& valor) {
    if (!valor.isValid() || valor.isNull()) return {};
    return valor.toString();
}

QVariant NuloSiVacío(const QString& texto) {
    if (texto.isEmpty()) return QVariant(QMetaType::fromType<QString>());
    return texto;
}

QString ComillasSQL(const QString& texto) {
    QString r = texto;
    r.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + r + QLatin1Char('\'');
}

QString TextoSQL(const QVariant& valor) {
    const QString t = VacíoSiNulo(valor).trimmed();
    if (t.isEmpty()) return QStringLiteral("null");
    return ComillasSQL(t);
}

QString EntreComillas(const QString& texto) {
    return QLatin1Char('"') + texto + QLatin1Char('"');
}

double RedondearSimple(double valor) {
    const float f = static_cast<float>(valor);
    return QString::number(double(f), 'g', 7).toDouble();
}

QString NúmeroSQL(double valor) {
    return QString::number(RedondearSimple(valor), 'g', 7);
}

void Reemplazar(QString& texto, const QString& buscar, const QString& reemplazo) {
    // The search restarts where the replacement went, so a replacement that
    // still holds what is searched for would never end.
    if (buscar.isEmpty() || reemplazo.contains(buscar, Qt::CaseInsensitive)) return;
    qsizetype p = 0;
    while ((p = texto.indexOf(buscar, p, Qt::CaseInsensitive)) >= 0)
        texto.replace(p, buscar.size(), reemplazo);
}

QString ColapsarBlancos(const QString& texto, bool tabuladores) {
    QString r;
    r.reserve(texto.size());
    bool blanco = false;
    for (const QChar c : texto) {
        const bool esBlanco = c == u' ' || (tabuladores && c == u'\t');
        if (esBlanco && blanco) continue;
        r += esBlanco ? QChar(u' ') : c;
        blanco = esBlanco;
    }
    return r;
}

// Every text is bound or quoted with ComillasSQL, so cleaning no longer has to
// strip apostrophes or dots: it keeps every character a person may mean and
// only tidies the blanks.
QString LimpiarTexto(QString& texto) {
    texto = ColapsarBlancos(texto, true).trimmed();
    return texto;
}

namespace {
QString rellenar(const QString& texto, int ancho, const QString& relleno, bool izquierda) {
    const QString t = texto.trimmed();
    if (t.size() >= ancho) return t;
    const QString r(ancho - t.size(), relleno.isEmpty() ? QLatin1Char(' ') : relleno.at(0));
    return izquierda ? r + t : t + r;
}
}  // namespace

QString RellenarIzquierda(const QString& texto, int ancho, const QString& relleno) {
    return rellenar(texto, ancho, relleno, true);
}

QString RellenarDerecha(const QString& texto, int ancho, const QString& relleno) {
    return rellenar(texto, ancho, relleno, false);
}

int32_t Máximo(int32_t a, int32_t b) {
    return a > b ? a : b;
}
int16_t Mínimo(int16_t a, int16_t b) {
    return a < b ? a : b;
}

QVariant ValorTexto(const QString& texto) {
    const QString t = texto.trimmed();
    return t.isEmpty() ? QVariant(QMetaType::fromType<QString>()) : QVariant(t);
}

QVariant ValorNumérico(const QString& texto) {
    bool ok = false;
    const double v = texto.trimmed().toDouble(&ok);  // QString::toDouble reads the C notation
    return ok && std::isfinite(v) ? QVariant(v) : QVariant(QMetaType::fromType<double>());
}

QString FechaHoraTexto() {
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddHHmmss"));
}

QString FormatearFechaHora(const QString& t) {
    const QDateTime m = QDateTime::fromString(t.left(12), QStringLiteral("yyyyMMddHHmm"));
    return m.isValid() ? FechaHoraVisible(m) : QString();
}

const QLocale& LocaleVisible() {
    static const QLocale l(QLocale::Spanish, QLocale::Argentina);
    return l;
}

QString FechaVisible(const QDate& fecha) {
    return fecha.isValid() ? LocaleVisible().toString(fecha, QStringLiteral("d MMM yyyy"))
                           : QString();
}

QString FechaHoraVisible(const QDateTime& momento) {
    if (!momento.isValid()) return {};
    return FechaVisible(momento.date()) + u' ' +
           LocaleVisible().toString(momento.time(), QStringLiteral("HH:mm"));
}

QString NúmeroVisible(double valor) {
    const QLocale& l = LocaleVisible();
    QString t = l.toString(valor, 'f', 2);
    const QString coma = l.decimalPoint();
    while (t.endsWith(u'0')) t.chop(1);
    if (t.endsWith(coma)) t.chop(coma.size());
    return t;
}

QString ImporteVisible(double monto, const QString& símbolo, const QString& moneda,
                       const QString& período) {
    if (!(monto > 0)) return {};
    const bool centavos = std::round(monto * 100) != std::round(monto) * 100;
    QString r = LocaleVisible().toString(monto, 'f', centavos ? 2 : 0);
    if (!símbolo.trimmed().isEmpty()) r = símbolo.trimmed() + u' ' + r;
    if (!período.isEmpty()) r += u' ' + período;
    if (!moneda.trimmed().isEmpty()) r += QStringLiteral(" (") + moneda.trimmed() + u')';
    return r;
}

QString MesAñoVisible(int mes, int año) {
    if (año <= 0) return {};
    if (mes < 1 || mes > 12) return QString::number(año);
    return LocaleVisible().monthName(mes, QLocale::ShortFormat) + u' ' + QString::number(año);
}

QString PeríodoVisible(int mesDesde, int añoDesde, int mesHasta, int añoHasta, bool actual) {
    const QString desde = MesAñoVisible(mesDesde, añoDesde);
    const QString hasta = actual ? QStringLiteral("actual") : MesAñoVisible(mesHasta, añoHasta);
    if (desde.isEmpty())
        return hasta.isEmpty() || actual ? hasta : QStringLiteral("hasta ") + hasta;
    if (hasta.isEmpty()) return QStringLiteral("desde ") + desde;
    return desde + QStringLiteral(" – ") + hasta;
}

QString UnirTextos(std::initializer_list<QString> partes, const QString& separador) {
    QStringList r;
    for (const QString& t : partes)
        if (!t.trimmed().isEmpty()) r << t.trimmed();
    return r.join(separador);
}

QString TextoCantidad(qint64 n, const QString& singular, const QString& plural) {
    return LocaleVisible().toString(n) + u' ' + SegúnCantidad(n, singular, plural);
}

QString SegúnCantidad(qint64 n, const QString& singular, const QString& plural) {
    return n == 1 ? singular : plural;
}

QString NombreMes(int mes) {
    static const char* const meses[] = {"Enero",      "Febrero", "Marzo",     "Abril",
                                        "Mayo",       "Junio",   "Julio",     "Agosto",
                                        "Septiembre", "Octubre", "Noviembre", "Diciembre"};
    if (mes < 1 || mes > 12) return {};
    return QString::fromUtf8(meses[mes - 1]);
}

QString NombreOperador(int código) {
    static const char* const nombres[] = {
        "contiene",   "no contiene",   "es vacío",           "no es vacío",
        "es igual a", "es distinto a", "es mayor o igual a", "es menor o igual a"};
    if (código < 1 || código > 8) return {};
    return QString::fromUtf8(nombres[código - 1]);
}

void LlenarSíNo(ControlLista& lista, int marca) {
    lista.Clear();
    const int sí = lista.AddItem(QStringLiteral("Sí"));
    lista.setItemData(sí, 1);
    const int no = lista.AddItem(QStringLiteral("No"));
    lista.setItemData(no, 0);
    lista.setListIndex(marca != 0 ? sí : no);
}

void SeleccionarPorTexto(ControlLista& lista, const QString& texto) {
    for (int i = 0; i < lista.ListCount(); ++i) {
        if (lista.List(i) == texto) {
            lista.setListIndex(i);
            return;
        }
    }
}

void FiltrarTeclaNumérica(ControlTexto& control, int& tecla, bool permitirDecimales) {
    if (tecla == 8 || tecla == 13) return;
    if (tecla == ',') tecla = '.';
    const bool dígito = tecla >= '0' && tecla <= '9';
    if (!dígito && tecla != '.') {
        tecla = 0;
        return;
    }
    if (dígito) return;
    if (!permitirDecimales || control.Text().contains(QLatin1Char('.'))) {
        tecla = 0;
        return;
    }
    if (control.SelStart() == 0) {
        control.setText(QStringLiteral("0.") + control.Text());
        control.setSelStart(2);
        control.setSelLength(0);
        tecla = 0;
    }
}

int Autocompletar(ControlCombo& combo, int tecla, int inicio, int largo) {
    if (tecla < 32) return tecla;  // control keys are the combo's own business
    QString escrito = combo.Text();
    if (largo > 0) escrito = escrito.left(inicio) + escrito.mid(inicio + largo);
    escrito += QChar(char16_t(tecla));
    const int n = int(escrito.size());
    for (int i = 0; i < combo.ListCount(); ++i) {
        const QString entrada = combo.List(i);
        if (entrada.size() < n || entrada.left(n).compare(escrito, Qt::CaseInsensitive) != 0)
            continue;
        combo.setListIndex(i);
        if (combo.Text() != entrada) combo.setText(entrada);
        combo.setSelStart(n);
        combo.setSelLength(int(entrada.size()) - n);
        return 0;
    }
    return tecla;
}

void EnLotes(const std::vector<int32_t>& ids,
             const std::function<void(const QVariantList&, const QString&)>& f) {
    constexpr size_t kLote = 500;
    for (size_t i = 0; i < ids.size(); i += kLote) {
        const size_t n = std::min(kLote, ids.size() - i);
        QVariantList valores;
        valores.reserve(qsizetype(n));
        for (size_t j = i; j < i + n; ++j) valores << ids[j];
        f(valores, QStringList(qsizetype(n), QStringLiteral("?")).join(u','));
    }
}
