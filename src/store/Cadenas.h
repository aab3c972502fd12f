#pragma once

#include <QString>

// The program's string table: numbered texts compiled into the program.
// An unknown number gives the empty text.
QString CadenaRecurso(int número);
bool ExisteCadena(int número);
