#pragma once

#include "store/Controles.h"
#include "store/Interaccion.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantList>

#include <deque>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

// Records every message the core shows and answers as told (the message's
// default answer when nothing is queued). Installed for the life of the object.
class InteraccionGuionada : public Interaccion {
  public:
    InteraccionGuionada();
    ~InteraccionGuionada() override;
    Respuesta mostrar(const Mensaje& m) override;
    void estado(const QString& texto) override { estados.push_back(texto); }
    void ocupado(bool sí) override { nivelOcupado += sí ? 1 : -1; }
    // Answers the next file dialog from `archivos` ("" = cancelled when it runs out).
    QString archivo(const DiálogoArchivo& d) override;
    // A scan copies `imagenEscaneada` to the requested file ("" = the scan fails).
    bool escanear(const QString& archivo, QString& error) override;
    QString imagenEscaneada;
    bool imprimir(const QString& html, const QString& título) override {
        impresos << título;
        (void)html;
        return true;
    }
    void portapapeles(const QString& texto, const QString& html) override {
        copiado = texto;
        (void)html;
    }
    bool abrirExterno(const QString& archivo) override {
        abiertos << archivo;
        return true;
    }
    QStringList impresos;
    QStringList abiertos;  // files handed to the desktop's programs
    QString copiado;
    QStringList escaneos;

    // Called with each message before it is answered (to change the world meanwhile).
    std::function<void(const Mensaje&)> alMostrar;
    std::vector<Mensaje> mensajes;
    std::deque<Respuesta> respuestas;
    std::vector<DiálogoArchivo> diálogos;
    std::deque<QString> archivos;
    QStringList estados;
    int nivelOcupado = 0;

  private:
    Interaccion* anterior_;
};

// A combo without a widget, behaving as the program's combos do.
class ComboPrueba : public ControlCombo {
  public:
    void Clear() override;
    int AddItem(const QString& texto) override;
    int ListCount() const override { return int(entradas.size()); }
    QString List(int i) const override { return entradas.at(i); }
    int ItemData(int i) const override { return datos.at(i); }
    void setItemData(int i, int d) override { datos[i] = d; }
    int ListIndex() const override { return índice; }
    void setListIndex(int i) override;
    QString Text() const override { return texto; }
    void setText(const QString& t) override { texto = t; }
    int SelStart() const override { return inicio; }
    void setSelStart(int p) override { inicio = p; }
    int SelLength() const override { return largo; }
    void setSelLength(int l) override { largo = l; }

    QStringList entradas;
    std::vector<int> datos;
    int índice = -1;
    QString texto;
    int inicio = 0;
    int largo = 0;
};

// A fresh copy of a delivered database in `carpeta`, made from one template per test run.
QString CopiaBaseEntregada(const QTemporaryDir& carpeta,
                           const QString& nombre = QStringLiteral("base.db"));

// Runs the sqlite3 tool with Candora's collation loaded; returns its standard output.
QString Sqlite3(const QString& base, const QString& sql);

// A text as gtest prints it.
inline std::string S(const QString& t) {
    return t.toStdString();
}
// Failed comparisons of texts show the texts.
inline void PrintTo(const QString& t, std::ostream* os) {
    *os << '"' << t.toStdString() << '"';
}

// What one run of candora-admin gave: exit code, standard output and error (UTF-8).
struct SalidaAdmin {
    int código;
    QString salida;
    QString errores;
};
// As `usuario` (through runuser) when given: tests run as root, whom permissions do not stop.
SalidaAdmin CorrerAdmin(const QStringList& argumentos, const QString& usuario = {});
// The same with its standard output going to a file (e.g. "/dev/full").
SalidaAdmin CorrerAdminHacia(const QStringList& argumentos, const QString& salidaEstándar);

// How a store file gets damaged: overwritten with something else, one page
// overwritten (a bad disk block), cut short (an interrupted copy).
enum class Daño { Basura, Página, Truncado };
inline void PrintTo(Daño d, std::ostream* os) {
    *os << (d == Daño::Basura ? "basura" : d == Daño::Página ? "página" : "truncado");
}
// Damages the file `ruta`; Página needs applicants in it (a page of their table is overwritten).
void Dañar(const QString& ruta, Daño d);
// The bytes of a file, to tell that nothing was written to it.
QByteArray Contenido(const QString& ruta);

// A small disk of its own (a tmpfs of `tamaño` bytes) mounted in a temporary
// folder and unmounted with the object. Mounting needs root: without it
// `montado()` is false and the test skips.
class DiscoPropio {
  public:
    explicit DiscoPropio(qint64 tamaño);
    ~DiscoPropio();
    DiscoPropio(const DiscoPropio&) = delete;
    DiscoPropio& operator=(const DiscoPropio&) = delete;
    bool montado() const { return montado_; }
    QString ruta(const QString& nombre) const { return carpeta_.filePath(nombre); }

  protected:
    // Mounts it again read-only; false when that fails.
    bool sóloLectura();
    QTemporaryDir carpeta_;
    bool montado_ = false;
};

// A disk that is full but for a few bytes.
class DiscoLleno : public DiscoPropio {
  public:
    explicit DiscoLleno(qint64 tamaño = 1 << 20) : DiscoPropio(tamaño) {}
    // Fills it with one file until only `libre` bytes are left.
    void llenar(qint64 libre = 4096);
    // What is on it besides that filling.
    QStringList archivos() const;
};

// A folder on a disk mounted read-only, holding copies of `archivos`. ok() is
// false, and error() says why, when it could not be made (the test then skips).
class CarpetaSoloLectura : public DiscoPropio {
  public:
    explicit CarpetaSoloLectura(const QStringList& archivos);
    bool ok() const { return montado_ && error_.isEmpty(); }
    const QString& error() const { return error_; }

  private:
    QString error_;
};

class Diccionario;
// Every stored row of one applicant and its detail rows, as text, to compare whole states.
QString VolcadoPostulante(Diccionario& d, int id);

class cPostulante;
// An applicant saved as a card saves one: names and document, then whatever
// `además` sets. Its id (0, with a test failure, when it was not saved).
int32_t GuardarPostulante(const char* apellido, const char* nombre, uint8_t país,
                          const char* documento,
                          const std::function<void(cPostulante&)>& además = {});
// The first column of every row of a query, joined: group_concat on both stores.
QString Unidos(Diccionario& d, const QString& sql, const QVariantList& v = {},
               const QString& separador = QStringLiteral(","));
