#include "Apoyo.h"
#include "ServidorPostgres.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <gtest/gtest.h>

namespace {

// The server the shared-store tests will run against: it starts, the QPSQL
// driver reaches it, and it compares texts as the file store does (case and
// accents aside) through an ICU collation.
TEST(ServidorPostgres, ArrancaSeConectaYComparaTextosComoLaBaseDeArchivo) {
    ServidorPostgres servidor;
    ASSERT_TRUE(servidor.ok()) << S(servidor.error());
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("prueba"));
        db.setHostName(servidor.carpetaSocket());
        db.setPort(servidor.puerto());
        db.setDatabaseName(QStringLiteral("postgres"));
        db.setUserName(ServidorPostgres::usuario());
        ASSERT_TRUE(db.open()) << S(db.lastError().text());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(
            QStringLiteral("create collation texto (provider = icu, locale = 'und-u-ks-level1', "
                           "deterministic = false)")))
            << S(q.lastError().text());
        ASSERT_TRUE(q.exec(
            QStringLiteral("select 'Pérez' = 'PEREZ' collate texto, 'Peña' = 'Pena' collate texto, "
                           "'Ana' = 'Anabel' collate texto")));
        ASSERT_TRUE(q.next());
        EXPECT_TRUE(q.value(0).toBool());
        EXPECT_TRUE(q.value(1).toBool());
        EXPECT_FALSE(q.value(2).toBool());
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("prueba"));
}

}  // namespace
