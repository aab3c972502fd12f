#pragma once

#include <QMainWindow>
#include <QPointer>

#include <cstdint>
#include <functional>

class QLabel;
class QLineEdit;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

class frmMDI;
// Opens the one window of class T, or brings it to the front, and reads it again.
template <class T>
void AbrirÚnica(frmMDI& m);

// The main window: menus, toolbar, status bar and the area the child windows
// (file cards, results, CV pages) live in.
class frmMDI : public QMainWindow {
    Q_OBJECT

  public:
    explicit frmMDI(QWidget* parent = nullptr);
    ~frmMDI() override;

    // Opens a file card: a new applicant with the given document when `nueva`,
    // else the stored one by `id` (or by document when `id` is 0). An applicant
    // that no longer exists is reported instead of opening an empty card.
    // With `editar` the card opens (or, already open, turns) ready to edit.
    void abrir_cv(int32_t id, uint8_t dni_país, const QString& dni_número, bool nueva,
                  bool editar = false);
    // What opens a file card window (nullptr when the applicant's card is
    // already open); set by the file-card module.
    using FábricaFicha = std::function<QWidget*(
        frmMDI&, int32_t id, uint8_t dni_país, const QString& dni_número, bool nueva, bool editar)>;
    static FábricaFicha fábricaFicha;

    // The windows other modules provide, by toolbar key ("Búsqueda", "ABM",
    // "Importar", "Respaldo", and "Palabras" for the toolbar's keyword box); a
    // command whose module is absent stays disabled.
    using Módulo = std::function<void(frmMDI&)>;
    static void RegistrarMódulo(const QString& clave, Módulo abrir);

    // Adds a child window to the area and shows it.
    QMdiSubWindow* agregarVentana(QWidget* w);
    // The open child window of this class, brought to the front; nullptr when none.
    QWidget* traerVentana(const QMetaObject& clase);
    QMdiArea* área() const { return área_; }

    // The popup command menu over `destino`: "Comando" + `tag` is called on it
    // with "a", "m" or "q". Modify and remove only when the list has items.
    void MostrarComandos(QWidget* destino, const QString& tag, bool hayElementos,
                         const QPoint& dónde);
    QMenu* menúComandos() const { return mnuComandos_; }

    // The status text; empty shows "Listo." (or that there is no store).
    void MostrarEstado(const QString& texto);

    // The store no longer answers: closed, the status bar says so and every
    // command that needs it first tries to open it again.
    void PerderBase();
    // The store is open again.
    void BaseRecuperada();
    bool sinBase() const { return sinBase_; }
    // True when the store is open, opening it again first when it was lost;
    // false after telling the user why it could not be opened.
    bool AsegurarBase();
    // Closes and opens the store again (menu Sistema › Reabrir la base de datos).
    void ReabrirBase();
    void setUsuario(const QString& nombre);

    // Backup is offered only while no other window is open; recomputed
    // whenever a child window opens or closes.
    void DeshabilitarRespaldo();
    void HabilitarRespaldo();
    bool respaldoPermitido() const;

    // Asks, closes every child window through its own prompts (stopping when
    // one is cancelled), saves the position and ends the program.
    bool ConfirmarSalida();

    void traerAlFrente();
    // The words typed in the toolbar's keyword box.
    QString palabrasClave() const;

  protected:
    void closeEvent(QCloseEvent* e) override;

  private:
    // Places a new child inside the area: its remembered place and size
    // (`recordado`, may be empty) or the size it asked for, cascaded and shrunk to fit.
    void colocar(QMdiSubWindow* sub, const QSize& pedido, const QRect& recordado);
    void abrirFicha(int32_t id, uint8_t dni_país, const QString& dni_número, bool nueva,
                    bool editar);
    void crearMenús();
    void crearBarra();
    void botón(const QString& clave);
    void comando(const QString& letra);
    void listarVentanas();
    void mosaico(bool horizontal);
    void organizarIconos();
    void volcarLecturas();

    QMdiArea* área_;
    QMenu* mnuComandos_ = nullptr;
    QMenu* mnuVentana_ = nullptr;
    QToolBar* barra_ = nullptr;
    QLineEdit* palabras_ = nullptr;
    QLabel* estado_ = nullptr;
    QLabel* usuario_ = nullptr;
    QPointer<QWidget> destino_comando;
    bool bSistema_ = false, bMódulos_ = false, bVentana_ = false, bAyuda_ = false;
    bool saliendo_ = false;
    bool respaldoHabilitado_ = true;
    bool sinBase_ = false;
};

template <class T>
void AbrirÚnica(frmMDI& m) {
    if (auto* v = qobject_cast<T*>(m.traerVentana(T::staticMetaObject))) {
        v->cargar();
        return;
    }
    auto* v = new T;
    v->cargar();
    m.agregarVentana(v);
}

// What the user is told of a card whose applicant another workstation deleted.
QString TextoFichaBorrada();

// The running program's main window (nullptr without one).
frmMDI* VentanaPrincipal();
