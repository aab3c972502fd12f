#pragma once

#include <QString>
#include <QStringList>

// Scanners and cameras through SANE.

struct DispositivoEscaner {
    QString nombre;       // SANE device name ("test:0")
    QString descripción;  // vendor and model, for the user
};

// The devices SANE finds; empty, with the reason in `error`, when there are none.
std::vector<DispositivoEscaner> DispositivosEscaner(QString& error);

// Acquires one image from `dispositivo` (the first device when empty) and
// saves it as a PNG file `archivo`. False, with the reason in `error`, when
// no image was saved.
bool Escanear(const QString& dispositivo, const QString& archivo, QString& error);
