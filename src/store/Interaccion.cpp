#include "store/Interaccion.h"

#include <cstdio>

namespace {

class InteraccionConsola : public Interaccion {
  public:
    Respuesta mostrar(const Mensaje& m) override {
        const QString título = m.título.isEmpty() ? QString::fromLatin1(kTítuloPrograma) : m.título;
        std::fprintf(stderr, "%s: %s\n", título.toLocal8Bit().constData(),
                     m.texto.toLocal8Bit().constData());
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
