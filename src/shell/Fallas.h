#pragma once

#include <QApplication>
#include <QString>

#include <exception>
#include <functional>

// The desktop program's one general error reporting. A failed action of the
// user is told once, in words ("No se pudo guardar la ficha."), with the
// store's reason below and its statement in the details; the program goes on
// and every open card keeps its edits. When the store no longer answers (its
// file deleted or replaced, the server gone) the program says so in the same
// message and goes on without a store until it can open it again.
void InformarFalla(const QString& operación, const std::exception& e);

// Opens the store again, with the start-up's checks. False after one message
// that starts with `operación`; the program then goes on without a store.
bool AbrirBaseOtraVez(const QString& operación);

// Runs the user's action `operación` ("No se pudo abrir la ficha."): an
// exception is reported as above and false returned.
bool Proteger(const QString& operación, const std::function<void()>& acción);

// The application object: an exception that escapes any handler of an event, a
// signal or a timer ends at the general error reporting instead of ending the
// program.
class AplicacionCandora : public QApplication {
  public:
    using QApplication::QApplication;
    bool notify(QObject* receptor, QEvent* evento) override;
};
