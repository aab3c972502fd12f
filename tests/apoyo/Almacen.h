#pragma once

#include "store/Conexion.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <string>

class Diccionario;
class ServidorPostgres;

enum class ClaseAlmacen { Archivo, Servidor };
inline void PrintTo(ClaseAlmacen c, std::ostream* os) {
    *os << (c == ClaseAlmacen::Servidor ? "servidor" : "archivo");
}

// A fresh delivered store for one test: a copy of the delivered file, or a new
// database on the test server cloned from its delivered template (dropped
// again with the object).
class AlmacenPrueba {
  public:
    explicit AlmacenPrueba(ClaseAlmacen clase);
    ~AlmacenPrueba();
    AlmacenPrueba(const AlmacenPrueba&) = delete;
    AlmacenPrueba& operator=(const AlmacenPrueba&) = delete;

    bool ok() const { return error_.isEmpty(); }
    const QString& error() const { return error_; }
    bool servidor() const { return clase_ == ClaseAlmacen::Servidor; }
    // Opens `d` on the store (a file store with its links).
    void abrir(Diccionario& d) const;
    // The settings that make start-up use this store.
    ConfiguraciónDatos configuración() const;
    // The options that make candora-admin use this store.
    QStringList opcionesAdmin() const;
    // Makes every insert into `tabla` whose new row meets `cuando` (written
    // with new.columna) fail with "falla provocada".
    void provocarFalla(Diccionario& d, const QString& tabla, const QString& cuando) const;
    void quitarFalla(Diccionario& d, const QString& tabla) const;
    // The file of a file store; the connection text of a server store.
    const QString& ruta() const { return ruta_; }
    const QString& conexión() const { return conexión_; }

  private:
    ClaseAlmacen clase_;
    QTemporaryDir carpeta_;
    QString ruta_;
    QString conexión_;
    QString base_;  // the server database
    QString error_;
};

// Tests that run on both stores: `almacén` is ready when the test starts. A
// server that cannot be reached fails the server's tests with its reason.
class AmbosAlmacenes : public ::testing::TestWithParam<ClaseAlmacen> {
  protected:
    void SetUp() override;
    void TearDown() override;
    bool servidor() const { return GetParam() == ClaseAlmacen::Servidor; }
    std::unique_ptr<AlmacenPrueba> almacén;
};

// The same, with the program's `dic` open on the test's store.
class AlmacenAbierto : public AmbosAlmacenes {
  protected:
    void SetUp() override;
};

std::string NombreAlmacén(const ::testing::TestParamInfo<ClaseAlmacen>& i);

#define EN_AMBOS_ALMACENES(Fixture)                                                            \
    INSTANTIATE_TEST_SUITE_P(Almacen, Fixture,                                                 \
                             ::testing::Values(ClaseAlmacen::Archivo, ClaseAlmacen::Servidor), \
                             NombreAlmacén)

// The delivered store as the template database of a running test server;
// an empty text when it is ready, else why not.
QString CrearPlantillaServidor(const ServidorPostgres& servidor);

// The environment variable naming the folder of the server shared by a test run.
inline constexpr const char* kVariableServidor = "CANDORA_SERVIDOR_PRUEBAS";
// The file in that folder holding the server's connection text, and the one
// holding why it did not start.
inline constexpr const char* kArchivoConexión = "conexion";
inline constexpr const char* kArchivoError = "error";
