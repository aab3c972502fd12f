#include "duplicates/Reglas.h"

#include "search/Palabras.h"

namespace {

QString Dígitos(const QString& texto) {
    QString d;
    for (const QChar c : texto)
        if (c >= u'0' && c <= u'9') d += c;
    return d;
}

// A name's words without accents, in lower case, one blank between them.
QString NombrePlano(const QString& texto) {
    return SepararPalabras(texto).join(u' ');
}

}  // namespace

QString ClaveCorreo(const QString& email) {
    const QString e = email.trimmed().toLower();
    const qsizetype arroba = e.indexOf(u'@');
    if (arroba < 1 || arroba == e.size() - 1 || e.contains(u' ')) return {};
    return e;
}

QString ClaveTeléfono(const QString& número) {
    QString d = Dígitos(número);
    if (d.startsWith(QLatin1String("00"))) d.remove(0, 2);  // dialled from abroad
    // The country: +54, and 9 before a mobile's area code.
    if (d.startsWith(QLatin1String("549")) && d.size() >= 12)
        d.remove(0, 3);
    else if (d.startsWith(QLatin1String("54")) && d.size() >= 11)
        d.remove(0, 2);
    if (d.startsWith(u'0')) d.remove(0, 1);  // the trunk prefix
    // A mobile's 15: before the local number alone, or after a 2 to 4 digit area code
    // in a number that has two digits too many.
    if (d.size() == 10 && d.startsWith(QLatin1String("15")))
        d.remove(0, 2);
    else if (d.size() == 12)
        for (int área = 2; área <= 4; ++área)
            if (d.mid(área, 2) == QLatin1String("15")) {
                d.remove(área, 2);
                break;
            }
    return d.size() >= 6 ? d : QString();
}

QString ClaveNombre(const QString& apellido, const QString& nombre, int día, int mes, int año) {
    const QString a = NombrePlano(apellido), n = NombrePlano(nombre);
    if (a.isEmpty() || n.isEmpty() || día <= 0 || mes <= 0 || año <= 0) return {};
    return a + u'|' + n + u'|' + QString::asprintf("%04d-%02d-%02d", año, mes, día);
}

QString ClaveDocumento(const QString& número) {
    // Letters and digits only, so "20.111.222" and "20111222" are one number.
    QString c;
    for (const QChar ch : número.toUpper())
        if (ch.isLetterOrNumber() && ch.unicode() < 0x80) c += ch;
    while (c.startsWith(u'0')) c.remove(0, 1);
    return c.size() >= 5 ? c : QString();
}

std::vector<std::pair<Regla, QString>> ClavesDe(const DatosIdentidad& p) {
    std::vector<std::pair<Regla, QString>> claves;
    const auto agregar = [&claves](Regla r, const QString& c) {
        if (c.isEmpty()) return;
        for (const auto& [regla, clave] : claves)
            if (regla == r && clave == c) return;
        claves.emplace_back(r, c);
    };
    agregar(Regla::Correo, ClaveCorreo(p.email));
    for (const QString& t : p.teléfonos) agregar(Regla::Teléfono, ClaveTeléfono(t));
    agregar(Regla::NombreYNacimiento,
            ClaveNombre(p.apellido, p.nombre, p.díaNacimiento, p.mesNacimiento, p.añoNacimiento));
    agregar(Regla::Documento, ClaveDocumento(p.documento));
    return claves;
}

int PesoRegla(Regla r) {
    switch (r) {
        case Regla::Correo:
            return 40;
        case Regla::Teléfono:
            return 30;
        case Regla::NombreYNacimiento:
            return 50;
        case Regla::Documento:
            return 60;
    }
    return 0;
}

QString NombreRegla(Regla r) {
    switch (r) {
        case Regla::Correo:
            return QStringLiteral("mismo correo electrónico");
        case Regla::Teléfono:
            return QStringLiteral("mismo teléfono");
        case Regla::NombreYNacimiento:
            return QStringLiteral("mismo nombre y fecha de nacimiento");
        case Regla::Documento:
            return QStringLiteral("mismo número de documento");
    }
    return {};
}

int PuntajeReglas(int reglas) {
    int puntaje = 0;
    for (const Regla r : kReglas)
        if (reglas & (1 << (int(r) - 1))) puntaje += PesoRegla(r);
    return puntaje;
}

QString EvidenciaReglas(int reglas) {
    QStringList partes;
    // The weightiest evidence first.
    for (const Regla r :
         {Regla::Documento, Regla::NombreYNacimiento, Regla::Correo, Regla::Teléfono})
        if (reglas & (1 << (int(r) - 1))) partes << NombreRegla(r);
    return partes.join(QStringLiteral(", "));
}
