#include "store/Motor.h"

#include <atomic>

QString NuevoNombreConexión() {
    static std::atomic<int> n{0};
    return QStringLiteral("candora-%1").arg(++n);
}
