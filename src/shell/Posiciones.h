#pragma once

class QWidget;

// Window-position memory, in twips (15 to the pixel), one settings section per
// window name: "Top" and "Left". A window with no stored place, or whose stored
// place is on no current screen, opens centred.
void RestaurarPosición(QWidget& ventana);
void GuardarPosición(const QWidget& ventana);

inline constexpr int kTwipsPorPíxel = 15;
