#pragma once

#include <QString>

// The mark of a running program, a small file in the user's data folder. A run
// that ends without removing it (a crash, a power cut, a killed process) is
// noticed by the next start, so the recruiter knows to check the card she was
// working on. It holds nothing of the user's data.
class MarcaUso {
  public:
    // In `carpeta`, or in the user's data folder when it is empty.
    explicit MarcaUso(const QString& carpeta = {});
    ~MarcaUso();  // the program ended normally
    MarcaUso(const MarcaUso&) = delete;
    MarcaUso& operator=(const MarcaUso&) = delete;

    // True when the previous run did not end normally.
    bool anteriorAnormal() const { return anormal_; }
    // What the program tells the user then.
    static QString Aviso();

  private:
    QString ruta_;
    bool anormal_ = false;
};
