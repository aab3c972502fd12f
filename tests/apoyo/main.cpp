#include <QCoreApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Candora"));
    QCoreApplication::setApplicationName(QStringLiteral("Candora"));
    QStandardPaths::setTestModeEnabled(true);  // never the user's real settings or data
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
