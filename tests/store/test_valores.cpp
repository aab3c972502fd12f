#include "Apoyo.h"

#include "store/Valores.h"

#include <gtest/gtest.h>

TEST(Valores, LimpiarTextoSóloOrdenaLosBlancosYConservaTodoLoDemás) {
    // Apostrophes, accents, inner and final dots, commas, hyphens, slashes and
    // quotes are what people write in names: only the blanks are tidied.
    QString t = QStringLiteral("  D'Agostino  y\t\tCía / Hnos.  ");
    EXPECT_EQ(LimpiarTexto(t), QStringLiteral("D'Agostino y Cía / Hnos."));
    EXPECT_EQ(t, QStringLiteral("D'Agostino y Cía / Hnos."));  // changed in place too
    for (const char* intacto :
         {"Comercial Sur S.A.", "García-Pérez, Lic. Juan Jr.", "O´Higgins \"Pepe\" 1/2"}) {
        QString n = QString::fromUtf8(intacto);
        EXPECT_EQ(S(LimpiarTexto(n)), intacto);
    }
    // A megabyte of blanks collapses in one pass.
    QString largo = u'a' + QString(1 << 20, u' ') + u'b';
    EXPECT_EQ(LimpiarTexto(largo), QStringLiteral("a b"));
}

TEST(Valores, ReemplazarColapsaRachasYNoSeCuelga) {
    QString t = QStringLiteral("a      b");
    Reemplazar(t, QStringLiteral("  "), QStringLiteral(" "));
    EXPECT_EQ(t, QStringLiteral("a b"));
    QString caso = QStringLiteral("XaxA");
    Reemplazar(caso, QStringLiteral("a"), QStringLiteral("-"));
    EXPECT_EQ(caso, QStringLiteral("X-x-"));  // the search ignores case
    // Guards that would otherwise loop forever: both leave the text alone.
    QString igual = QStringLiteral("banana");
    Reemplazar(igual, QString(), QStringLiteral("x"));
    Reemplazar(igual, QStringLiteral("a"), QStringLiteral("ba"));
    Reemplazar(igual, QStringLiteral("an"), QStringLiteral("AN"));
    EXPECT_EQ(igual, QStringLiteral("banana"));
}

TEST(Valores, ConversionesDeLaFrontera) {
    EXPECT_EQ(TextoSQL(QStringLiteral("  gar  ")), QStringLiteral("'gar'"));
    EXPECT_EQ(TextoSQL(QStringLiteral("   ")), QStringLiteral("null"));
    EXPECT_EQ(TextoSQL(QVariant()), QStringLiteral("null"));
    EXPECT_EQ(TextoSQL(QStringLiteral("D'Angelo")), QStringLiteral("'D''Angelo'"));
    EXPECT_EQ(ComillasSQL(QStringLiteral("''")), QStringLiteral("''''''"));
    EXPECT_TRUE(NuloSiVacío(QString()).isNull());
    EXPECT_TRUE(NuloSiVacío(QStringLiteral("")).isNull());
    EXPECT_EQ(NuloSiVacío(QStringLiteral(" ")).toString(), QStringLiteral(" "));
    EXPECT_EQ(VacíoSiNulo(QVariant(QMetaType::fromType<int>())), QString());
    EXPECT_EQ(VacíoSiNulo(7.5), QStringLiteral("7.5"));
    EXPECT_EQ(NúmeroSQL(7.25), QStringLiteral("7.25"));
    EXPECT_EQ(NúmeroSQL(0.1f), QStringLiteral("0.1"));  // the single's digits, not its binary tail
    EXPECT_EQ(EntreComillas(QStringLiteral("x")), QStringLiteral("\"x\""));
}

TEST(Valores, RellenosFechasYListasFijas) {
    EXPECT_EQ(RellenarIzquierda(QStringLiteral("7"), 2, QStringLiteral("0")), QStringLiteral("07"));
    EXPECT_EQ(RellenarDerecha(QStringLiteral(" ab "), 4), QStringLiteral("ab  "));
    EXPECT_EQ(RellenarIzquierda(QStringLiteral(" 12345 "), 3, QStringLiteral("0")),
              QStringLiteral("12345"));
    // Shown as written in Argentina, whatever the system's locale; counts agree with their noun.
    EXPECT_EQ(FormatearFechaHora(QStringLiteral("20261207153045")),
              QStringLiteral("7 dic 2026 15:30"));
    EXPECT_EQ(FormatearFechaHora(QStringLiteral("2026120715")), QString());
    EXPECT_EQ(FormatearFechaHora(QStringLiteral("20261307153045")), QString());
    const QString currículum = QStringLiteral("currículum"),
                  currículos = QStringLiteral("currículos");
    EXPECT_EQ(TextoCantidad(1, currículum, currículos), QStringLiteral("1 currículum"));
    EXPECT_EQ(TextoCantidad(3, currículum, currículos), QStringLiteral("3 currículos"));
    EXPECT_EQ(TextoCantidad(1250, currículum, currículos), QStringLiteral("1.250 currículos"));
    const QString ahora = FechaHoraTexto();
    EXPECT_EQ(ahora.size(), 14);
    EXPECT_TRUE(ahora.toLongLong() > 20260000000000LL);
    EXPECT_EQ(NombreMes(9), QStringLiteral("Septiembre"));
    EXPECT_EQ(NombreMes(13), QString());
    EXPECT_EQ(NombreOperador(3), QStringLiteral("es vacío"));
    EXPECT_EQ(NombreOperador(8), QStringLiteral("es menor o igual a"));
    EXPECT_EQ(NombreOperador(9), QString());
    EXPECT_EQ(Máximo(-3, 2), 2);
    EXPECT_EQ(Mínimo(int16_t(-3), int16_t(2)), -3);

    ComboPrueba lista;
    LlenarSíNo(lista, 0);
    EXPECT_EQ(lista.entradas, (QStringList{QStringLiteral("Sí"), QStringLiteral("No")}));
    EXPECT_EQ(lista.datos, (std::vector<int>{1, 0}));
    EXPECT_EQ(lista.ListIndex(), 1);
    SeleccionarPorTexto(lista, QStringLiteral("sí"));  // same case only
    EXPECT_EQ(lista.ListIndex(), 1);
    SeleccionarPorTexto(lista, QStringLiteral("Sí"));
    EXPECT_EQ(lista.ListIndex(), 0);
}

TEST(Valores, FiltrarTeclaNuméricaConYSinDecimales) {
    ComboPrueba campo;
    int tecla = ',';
    FiltrarTeclaNumérica(campo, tecla, true);
    EXPECT_EQ(tecla, 0);
    EXPECT_EQ(campo.Text(), QStringLiteral("0."));
    EXPECT_EQ(campo.SelStart(), 2);
    tecla = '.';
    FiltrarTeclaNumérica(campo, tecla, true);
    EXPECT_EQ(tecla, 0);  // already holds a point
    campo.setText(QStringLiteral("12"));
    campo.setSelStart(2);
    tecla = ',';
    FiltrarTeclaNumérica(campo, tecla, true);
    EXPECT_EQ(tecla, '.');
    tecla = '.';
    FiltrarTeclaNumérica(campo, tecla, false);
    EXPECT_EQ(tecla, 0);
    for (int letra : {int('a'), int('-'), int(' ')}) {
        tecla = letra;
        FiltrarTeclaNumérica(campo, tecla, true);
        EXPECT_EQ(tecla, 0) << letra;
    }
    for (int pasa : {int('7'), 8, 13}) {
        tecla = pasa;
        FiltrarTeclaNumérica(campo, tecla, false);
        EXPECT_EQ(tecla, pasa);
    }
}

TEST(Valores, AutocompletarEligeLaPrimeraEntradaQueEmpiezaIgual) {
    ComboPrueba combo;
    combo.AddItem(QStringLiteral("Argentina"));
    combo.AddItem(QStringLiteral("Armenia"));
    combo.setText(QStringLiteral("Ar"));
    combo.setSelStart(2);
    EXPECT_EQ(Autocompletar(combo, 'm', 2, 0), 0);
    EXPECT_EQ(combo.ListIndex(), 1);
    EXPECT_EQ(combo.Text(), QStringLiteral("Armenia"));
    EXPECT_EQ(combo.SelStart(), 3);
    EXPECT_EQ(combo.SelLength(), 4);
    // Typing over the selected tail keeps only the typed prefix: "Arm" + "e".
    EXPECT_EQ(Autocompletar(combo, 'E', 3, 4), 0);
    EXPECT_EQ(combo.SelStart(), 4);
    EXPECT_EQ(Autocompletar(combo, 'x', 7, 0), 'x');  // no entry matches: the key passes
}
