#pragma once

#include <QStringList>

// The program's start-up after the single-instance check: with the "/OPCIONES"
// switch the options window alone; otherwise main window, intro, quick help,
// the store and the current user. Returns the exit code when the program must
// end now, or -1 to run the event loop.
int Arrancar(const QStringList& argumentos);

// The toolkit's own texts (standard buttons, file, print and page-setup
// dialogs) in Spanish, and its dates and numbers as written in Argentina.
// False when the Spanish translation is not installed.
bool InstalarTraducciones();

// The current user: the login name of whoever runs the program.
QString NombreDeSesión();

// True for the "/OPCIONES" switch: the whole command line, upper-cased.
bool EsInterruptorOpciones(const QStringList& argumentos);

// Another start of the program while this one runs, with its command line:
// this one comes to the front, and a start with "/OPCIONES" is told to close
// the running program first.
void OtroArranque(const QStringList& argumentos);
// What a start with "/OPCIONES" is told while the program runs.
QString TextoCerrarAntes();
