#pragma once

#include <QString>

// The mark of a running session, a small file in the user's data folder. A
// session that ends without removing it (a crash, a power cut, a killed
// process) is noticed by the next start, so the recruiter knows to check the
// card she was working on. It holds nothing of the user's data.
class MarcaSesion {
  public:
    // In `carpeta`, or in the user's data folder when it is empty.
    explicit MarcaSesion(const QString& carpeta = {});
    ~MarcaSesion();  // the session ended normally
    MarcaSesion(const MarcaSesion&) = delete;
    MarcaSesion& operator=(const MarcaSesion&) = delete;

    // True when the previous session did not end normally.
    bool anteriorAnormal() const { return anormal_; }
    // What the program tells the user then.
    static QString Aviso();

  private:
    QString ruta_;
    bool anormal_ = false;
};
