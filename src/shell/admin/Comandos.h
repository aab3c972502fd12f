#pragma once

#include "store/Conexion.h"

#include <QStringList>
#include <QTextStream>

#include <vector>

// What every sub-command of candora-admin receives.
struct Contexto {
    QString base;  // --base RUTA: use this local file as it is, without relinking
    QTextStream& salida;
    QTextStream& errores;

    // The data-source settings, with --base applied.
    ConfiguraciónDatos configuración() const;
    // Opens `dic` on the chosen store.
    void abrir() const;
};

struct Comando {
    const char* nombre;
    const char* uso;
    int (*ejecutar)(Contexto& c, const QStringList& argumentos);
};

// The sub-commands of each subsystem.
void ComandosAlmacen(std::vector<Comando>& comandos);
void ComandosFichas(std::vector<Comando>& comandos);
void ComandosBusquedas(std::vector<Comando>& comandos);
void ComandosImportar(std::vector<Comando>& comandos);
