#pragma once

#include <QTreeWidget>

#include <cstdint>

// An applicant's CV documents on the card: name, kind, size and date, with
// the commands of the other lists (popup menu, Insert, Enter, Delete) and files
// dropped from the desktop. Changes go to the store at once.
class ListaDocumentos : public QTreeWidget {
    Q_OBJECT

  public:
    explicit ListaDocumentos(QWidget* parent = nullptr);

    // Shows the documents of an applicant (0: a card not saved yet, which takes none).
    void cargar(int32_t postulante);
    int32_t postulante() const { return postulante_; }
    // A card that is only being read lets its documents be opened and copied, not
    // added or removed.
    void setEditable(bool sí) { editable_ = sí; }
    // The chosen document's id, 0 when none is chosen.
    int32_t elegido() const;

    void agregar();
    void agregarArchivos(const QStringList& archivos);
    void abrir();
    void guardarCopia();
    void quitar();

  signals:
    // The store stamped the applicant's change time, from `antes` to `después`.
    void sellado(const QString& antes, const QString& despues);

  protected:
    void keyPressEvent(QKeyEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

  private:
    QString sello() const;
    // False, saying why, when the card is only being read.
    bool cambiable() const;
    int32_t postulante_ = 0;
    bool editable_ = true;
};

// The local files a drag carries.
QStringList ArchivosArrastrados(const QMimeData* datos);
