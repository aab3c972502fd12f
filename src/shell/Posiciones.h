#pragma once

class QRect;
class QString;
class QWidget;

// Window-position memory, in twips (15 to the pixel), one settings section per
// window name: "Top" and "Left". A window with no stored place, or whose stored
// place is on no current screen, opens centred.
void RestaurarPosición(QWidget& ventana);
void GuardarPosición(const QWidget& ventana);

// The main window also keeps its size ("Width", "Height") and whether it was
// maximised ("WindowState": "2" maximised, "0" normal). Restoring fits the
// size to the screen; the state takes effect when the window is shown.
void RestaurarVentanaPrincipal(QWidget& ventana);
void GuardarVentanaPrincipal(const QWidget& ventana);

// A child window of the main window's area, by name: its place relative to the
// area and its size, or an empty rectangle when none is stored.
QRect PosiciónHijaGuardada(const QString& nombre);
void GuardarPosiciónHija(const QString& nombre, const QRect& lugar);

inline constexpr int kTwipsPorPíxel = 15;
