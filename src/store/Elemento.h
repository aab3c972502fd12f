#pragma once

#include "store/Coleccion.h"

#include <QString>

#include <cstdint>

class Diccionario;

// One item of a lookup list. An id of 0 is an item not stored yet; its name
// may still hold what the user typed.
class Elemento {
  public:
    int32_t id = 0;
    QString Nombre;
    uint8_t orden = 0;
    uint8_t disponible = 1;
    uint8_t predeterminado = 0;
    QString Carga;  // a free companion value set by whoever creates the item

    // Load by key; when no row has it, the item takes the id and keeps the rest.
    void cargar_id(int32_t id, const QString& tabla);
    // Load by name (trimmed, compared without regard to case); returns the id, 0 when absent.
    int32_t cargar_nombre(const QString& nombre, const QString& tabla);
    // Update an existing item, or find-or-add a new one by name; returns the id.
    // A new item whose key cannot be allocated, or whose name is blank, stays unstored (0).
    int32_t guardar(const QString& tabla);

    // The same operations on a given store instead of the program's `dic`.
    void cargar_id(Diccionario& d, int32_t id, const QString& tabla);
    int32_t cargar_nombre(Diccionario& d, const QString& nombre, const QString& tabla);
    int32_t guardar(Diccionario& d, const QString& tabla);
};

class Elementos : public Coleccion<Elemento> {
  public:
    Elemento& Add(int32_t id, const QString& Nombre, const QString& Carga = {},
                  const QString& clave = {});
};
