#include "privacy/Conservacion.h"

#include "store/Ajustes.h"
#include "store/Diccionario.h"

namespace {
const QString kAñosConservación = QStringLiteral("conservar_anos");
}  // namespace

int AñosConservación(Diccionario& d) {
    return std::max(0, Ajuste(d, kAñosConservación, QStringLiteral("0")).toInt());
}

void FijarAñosConservación(Diccionario& d, int años) {
    FijarAjuste(d, kAñosConservación, QString::number(std::max(0, años)));
}

QDate LímiteConservación(int años, const QDate& hoy) {
    // 29 February less a year is 28 February: the time is never cut short.
    return hoy.addYears(-años);
}

QString MotivoVencimiento(int años) {
    return QStringLiteral("Plazo de conservación vencido (%1 sin cambios).")
        .arg(años == 1 ? QStringLiteral("1 año") : QStringLiteral("%1 años").arg(años));
}

std::vector<PostulanteASuprimir> PostulantesVencidos(Diccionario& d, int años, const QDate& hoy) {
    if (años <= 0) return {};
    return PostulantesDonde(
        d,
        QStringLiteral("coalesce(p.actualizado, p.fecha_ingreso) < ? and coalesce(p.actualizado, "
                       "p.fecha_ingreso) <> '' order by cambio, p.id"),
        {LímiteConservación(años, hoy).toString(QStringLiteral("yyyyMMdd"))});
}
