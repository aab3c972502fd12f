#include "store/Cadenas.h"

#include <QFile>
#include <QHash>

namespace {

// Lines "NUMBER<TAB>TEXT"; "#" starts a comment line; "\n" in TEXT is a line break.
QHash<int, QString> leerTabla() {
    QHash<int, QString> tabla;
    QFile f(QStringLiteral(":/cadenas.tsv"));
    if (!f.open(QIODevice::ReadOnly)) return tabla;
    const QString todo = QString::fromUtf8(f.readAll());
    for (const QStringView línea : QStringView(todo).split(u'\n')) {
        if (línea.isEmpty() || línea.startsWith(u'#')) continue;
        const qsizetype tab = línea.indexOf(u'\t');
        if (tab <= 0) continue;
        bool ok = false;
        const int n = línea.left(tab).toInt(&ok);
        if (!ok) continue;
        QString texto = línea.mid(tab + 1).toString();
        if (texto.endsWith(u'\r')) texto.chop(1);
        texto.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
        tabla.insert(n, texto);
    }
    return tabla;
}

const QHash<int, QString>& tabla() {
    static const QHash<int, QString> t = leerTabla();
    return t;
}

}  // namespace

QString CadenaRecurso(int número) {
    return tabla().value(número);
}
bool ExisteCadena(int número) {
    return tabla().contains(número);
}
