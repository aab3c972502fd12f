#pragma once

#include <QObject>

#include <memory>

class QLocalServer;
class QLockFile;

// One running program per user. The first instance holds a lock in the user's
// runtime folder and listens on a local socket; a later one wakes it, handing
// over its command line, and ends. A lock left by a crashed instance is taken over.
class InstanciaUnica : public QObject {
    Q_OBJECT

  public:
    explicit InstanciaUnica(const QString& nombre, const QStringList& argumentos = {},
                            QObject* parent = nullptr);
    ~InstanciaUnica() override;
    // True in the first instance; false after waking the one already running.
    bool primera() const { return primera_; }
    // In a later instance: the running one received the command line.
    bool avisada() const { return avisada_; }

  signals:
    // A later start, with these arguments, asked this instance to come to the front.
    void despertada(const QStringList& argumentos);

  private:
    std::unique_ptr<QLockFile> cerrojo_;
    QLocalServer* servidor_ = nullptr;
    bool primera_ = false;
    bool avisada_ = false;
};
