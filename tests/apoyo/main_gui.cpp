#include "shell/Fallas.h"

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    AplicacionCandora app(argc, argv);  // as the program: errors end at the one reporting
    QApplication::setOrganizationName(QStringLiteral("Candora"));
    QApplication::setApplicationName(QStringLiteral("Candora"));
    QStandardPaths::setTestModeEnabled(true);  // never the user's real settings or data
    // Settings of this process alone: tests run in parallel processes.
    QTemporaryDir ajustes;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, ajustes.path());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
