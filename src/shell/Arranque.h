#pragma once

#include <QStringList>

// The program's start-up after the single-instance check: main window, intro,
// quick help, the "/OPCIONES" switch, the store and the current user. Returns
// the exit code when the program must end now, or -1 to run the event loop.
int Arrancar(const QStringList& argumentos);

// The toolkit's own texts (standard buttons, file, print and page-setup
// dialogs) in Spanish, and its dates and numbers as written in Argentina.
// False when the Spanish translation is not installed.
bool InstalarTraducciones();

// The current user: the login name of whoever runs the program.
QString NombreDeSesión();
