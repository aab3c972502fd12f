#pragma once

#include <QByteArray>
#include <QString>

// A page drawn as an A4 PDF document, whole in memory, so that its file is
// written complete or not at all. Needs a QGuiApplication (its fonts).
QByteArray PáginaEnPdf(const QString& html, const QString& título);
