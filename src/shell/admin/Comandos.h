#pragma once

#include "store/Conexion.h"

#include <QStringList>
#include <QTextStream>

#include <vector>

// What every sub-command of candora-admin receives.
struct Contexto {
    QString base;      // --base RUTA: use this local file as it is, without relinking
    QString servidor;  // --servidor TEXTO: use the store on this PostgreSQL server
    QTextStream& salida;
    QTextStream& errores;

    // The data-source settings, with --base or --servidor applied.
    ConfiguraciónDatos configuración() const;
    // What a command does with the store: reads it; reads all of it to copy it
    // elsewhere; or writes it.
    enum class Uso { Leer, Copiar, Escribir };
    // Opens `dic` on the chosen store. Before copying or writing a file store,
    // its files are checked: a damaged one stops the command, and so does one that
    // does not accept changes when the command writes. A command that only
    // reads leaves a store made by an earlier version as it is; the others upgrade it.
    void abrir(Uso uso = Uso::Leer) const;
};

struct Comando {
    const char* nombre;
    const char* uso;
    int (*ejecutar)(Contexto& c, const QStringList& argumentos);
};

// Takes "--nombre VALOR" out of the arguments: the value, or `predeterminado`
// when the option is absent. `ok` turns false when it is given without a value.
QString TomarOpción(QStringList& a, const char* nombre, bool& ok,
                    const QString& predeterminado = {});
// The user whose private definitions are visible: --usuario, else the login name.
QString TomarUsuario(QStringList& a, bool& ok);
// Writes a page to `archivo` (UTF-8 HTML, or PDF when its name ends in .pdf),
// replacing it only once complete, or to the standard output when `archivo` is
// empty. False, with a message, on failure.
bool EscribirPágina(Contexto& c, const QString& archivo, const QString& html);

// The sub-commands of each subsystem.
void ComandosAlmacen(std::vector<Comando>& comandos);
void ComandosFichas(std::vector<Comando>& comandos);
void ComandosBusquedas(std::vector<Comando>& comandos);
void ComandosImportar(std::vector<Comando>& comandos);
void ComandosPaginas(std::vector<Comando>& comandos);
void ComandosDocumentos(std::vector<Comando>& comandos);
void ComandosDuplicados(std::vector<Comando>& comandos);
void ComandosPrivacidad(std::vector<Comando>& comandos);
