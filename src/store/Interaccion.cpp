#include "store/Interaccion.h"

#include "store/ErrorAlmacen.h"

#include <cstdio>

namespace {

class InteraccionConsola : public Interaccion {
  public:
    Respuesta mostrar(const Mensaje& m) override {
        const QString título = m.título.isEmpty() ? QString::fromLatin1(kTítuloPrograma) : m.título;
        std::fprintf(stderr, "%s: %s\n", título.toLocal8Bit().constData(),
                     m.texto.toLocal8Bit().constData());
        if (!m.detalles.isEmpty())
            std::fprintf(stderr, "%s\n", m.detalles.toLocal8Bit().constData());
        return m.predeterminada;
    }
};

InteraccionConsola consola;
Interaccion* actual = &consola;

}  // namespace

Interaccion& interaccion() {
    return *actual;
}

Interaccion* InstalarInteraccion(Interaccion* i) {
    Interaccion* anterior = actual == &consola ? nullptr : actual;
    actual = i ? i : &consola;
    return anterior;
}

Respuesta MsgBox(const QString& texto, Icono icono, Botones botones, const QString& título,
                 Respuesta predeterminada) {
    // A default that is not among the buttons becomes the first button.
    const bool síNo = botones == Botones::SíNo || botones == Botones::SíNoCancelar;
    if (síNo && predeterminada == Respuesta::Aceptar) predeterminada = Respuesta::Sí;
    if (!síNo && (predeterminada == Respuesta::Sí || predeterminada == Respuesta::No))
        predeterminada = Respuesta::Aceptar;
    return interaccion().mostrar({texto, icono, botones, título, predeterminada});
}

void InformarError(const QString& operación, const std::exception& e, const QString& además,
                   const QString& porquéDado) {
    Mensaje m;
    m.texto = operación;
    m.icono = Icono::Crítico;
    if (const auto* a = dynamic_cast<const ErrorAlmacen*>(&e)) {
        // The gateway's own sentence adds nothing to what the user was doing.
        const QString porqué = !porquéDado.isEmpty() ? porquéDado
                               : a->genérica()       ? a->explicación()
                                                     : a->textoUsuario();
        if (!porqué.isEmpty())
            m.texto += (m.texto.isEmpty() ? QString() : QStringLiteral("\n\n")) + porqué;
        QStringList d;
        if (!a->sql().isEmpty()) d << QStringLiteral("Instrucción: ") + a->sql();
        if (!a->código().isEmpty()) d << QStringLiteral("Código: ") + a->código();
        if (!a->detalle().isEmpty() && (a->detalle() != a->explicación() || !porquéDado.isEmpty()))
            d << QStringLiteral("Mensaje de la base de datos: ") + a->detalle();
        m.detalles = d.join(u'\n');
    } else {
        m.detalles = QString::fromLocal8Bit(e.what());
    }
    if (!además.isEmpty()) m.texto += QStringLiteral("\n\n") + además;
    interaccion().mostrar(m);
}

QString ElegirArchivo(const DiálogoArchivo& d) {
    return interaccion().archivo(d);
}

void MostrarEstado(const QString& texto) {
    interaccion().estado(texto);
}

RelojDeArena::RelojDeArena() {
    interaccion().ocupado(true);
}
RelojDeArena::~RelojDeArena() {
    interaccion().ocupado(false);
}
