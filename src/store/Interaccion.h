#pragma once

#include <QString>
#include <QStringList>

#include <exception>

// The one seam through which the core talks to the user: message boxes, the
// status-bar text and the hourglass. The desktop program installs its Qt
// implementation; tests install a scripted one; without either, messages go
// to standard error and questions take their default answer.

enum class Icono { Ninguno, Información, Exclamación, Pregunta, Crítico };
enum class Botones { Aceptar, AceptarCancelar, SíNo, SíNoCancelar };
enum class Respuesta { Aceptar, Cancelar, Sí, No };

struct Mensaje {
    QString texto;
    Icono icono = Icono::Ninguno;
    Botones botones = Botones::Aceptar;
    QString título;  // empty = the program title
    Respuesta predeterminada = Respuesta::Aceptar;
    // Captions for the buttons, in their order ("&Recargar"…); empty = the usual ones.
    QStringList rótulos = {};
    // For the technical support: shown only on request (the statement that failed…).
    QString detalles = {};
};

// An open or save file dialog.
struct DiálogoArchivo {
    bool guardar = false;  // a save dialog (asks before replacing a file) or an open one
    QString título;
    QString ruta;    // folder or suggested file
    QString filtro;  // "Currículum (*.htm);;Todos los archivos (*)"
};

class Interaccion {
  public:
    virtual ~Interaccion() = default;
    virtual Respuesta mostrar(const Mensaje& m) = 0;
    // The chosen file, or "" when the user cancels.
    virtual QString archivo(const DiálogoArchivo& d) {
        (void)d;
        return {};
    }
    // Prints an HTML page, asking the user for the printer (or a PDF file).
    // False when nothing was printed.
    virtual bool imprimir(const QString& html, const QString& título) {
        (void)html;
        (void)título;
        return false;
    }
    // Puts a page on the clipboard, as plain text and as HTML.
    virtual void portapapeles(const QString& texto, const QString& html) {
        (void)texto;
        (void)html;
    }
    // Lets the user choose the scanner or camera to use; false when none was chosen.
    virtual bool elegirOrigen() { return false; }
    // Acquires one image from the chosen device into `archivo` (PNG). False,
    // with the reason in `error`, when nothing was acquired.
    virtual bool escanear(const QString& archivo, QString& error) {
        (void)archivo;
        error = QStringLiteral("No hay ningún escáner ni cámara disponible.");
        return false;
    }
    // Opens a file in the desktop's program for its kind; false when none opens it.
    virtual bool abrirExterno(const QString& archivo) {
        (void)archivo;
        return false;
    }
    virtual void estado(const QString& texto) { (void)texto; }
    // Called with true when long work starts and false when it ends (nested).
    virtual void ocupado(bool sí) { (void)sí; }
};

// The program title: the caption of every message box unless one is given.
inline constexpr const char* kTítuloPrograma = "Candora";

Interaccion& interaccion();
// Installs `i` (not owned) and returns the one it replaces; nullptr restores the default.
Interaccion* InstalarInteraccion(Interaccion* i);

Respuesta MsgBox(const QString& texto, Icono icono = Icono::Ninguno,
                 Botones botones = Botones::Aceptar, const QString& título = {},
                 Respuesta predeterminada = Respuesta::Aceptar);

QString ElegirArchivo(const DiálogoArchivo& d);

// The general error reporting: one critical message saying in a recruiter's
// words what could not be done (`operación`, "No se pudo abrir la ficha."),
// then why; the statement and the store's own text go to its details. An empty
// `operación` leaves the store's own sentence first.
// `además` closes the message (what the program does next, the way out).
// `porqué`, when given, says why instead of the store's own text (kept in the details).
void InformarError(const QString& operación, const std::exception& e, const QString& además = {},
                   const QString& porqué = {});

// Status-bar text of the main window; empty shows "Listo.".
void MostrarEstado(const QString& texto);

// The hourglass for the life of the object.
class RelojDeArena {
  public:
    RelojDeArena();
    ~RelojDeArena();
    RelojDeArena(const RelojDeArena&) = delete;
    RelojDeArena& operator=(const RelojDeArena&) = delete;
};
