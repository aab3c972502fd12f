#pragma once

#include <QHash>
#include <QString>

#include <cstdint>

class Diccionario;
class QDate;

// The text with & < > " written as entities, safe in element text and in
// double-quoted attribute values alike.
QString EscaparHTML(const QString& texto);
// EscaparHTML, each line break (CR LF, LF or CR) kept as <br>.
QString EscaparHTMLMultilínea(const QString& texto);

// A page template carried as a resource (":/plantillas/<id>.htm"). Placeholders
// "{$clave}" are replaced in one pass over the template, so a value that
// happens to look like a placeholder is shown as it is, never expanded.
// Placeholders no value was given for stay in the text. A part written
// "{[ ... ]}" (they nest) is shown only when a placeholder or part inside it
// has a non-empty value, so an unknown value leaves no stray words or brackets.
class Plantilla {
  public:
    explicit Plantilla(int id);

    // A stored text: HTML-escaped.
    void Llenar(const QString& clave, const QString& texto);
    // A stored text with line breaks: HTML-escaped, breaks as <br>.
    void LlenarMultilínea(const QString& clave, const QString& texto);
    void Llenar(const QString& clave, qint64 número);
    // Markup built by the program, inserted as it is.
    void LlenarHTML(const QString& clave, QString html);

    QString texto() const;

  private:
    QString expandir(QStringView f, qsizetype& desde, bool enParte, bool& lleno) const;

    const QString& fuente_;
    QHash<QString, QString> valores_;
};

// Lookup names by table and identifier, each read once per page.
class NombresElementos {
  public:
    explicit NombresElementos(Diccionario& d) : d_(d) {}
    // The `columna` ("nombre" when empty) of row `id` of `tabla`; "" when there is none.
    QString operator()(const QString& tabla, qint64 id, const QString& columna = {});

  private:
    Diccionario& d_;
    QHash<QString, QString> leídos_;
};

// Age in whole years on `hoy`: one less before this year's birthday. A day or
// month of 0 is "not given" (the age then goes by what is given). -1 when
// the year is not given; 0 for a birth date after `hoy`.
int EdadEnAños(int día, int mes, int año, const QDate& hoy);
