#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <vector>

struct sqlite3_stmt;
struct pg_result;

// A client-side, read-only result set: every row is fetched into memory when
// it is opened, so the store holds no read lock afterwards. Fields are read by
// name (without regard to case; the first of equal names wins) or by position;
// Null stays distinct from the empty text.
// The value of one column of a statement's current row, as the store gives it
// (Null texts keep the text type).
QVariant ValorColumna(sqlite3_stmt* sentencia, int columna);

class Recordset {
  public:
    // Steps a bound statement to its end, keeping every row; the caller checks
    // the connection's error code afterwards.
    explicit Recordset(sqlite3_stmt* sentencia);
    // Keeps every row of a PostgreSQL server's result.
    explicit Recordset(const pg_result* resultado);

    int RecordCount() const { return filas_; }
    bool eof() const { return actual_ >= filas_; }
    bool bof() const { return actual_ < 0 || filas_ == 0; }
    void MoveFirst() { actual_ = 0; }
    void MoveNext() {
        if (actual_ < filas_) ++actual_;
    }
    void MovePrevious() {
        if (actual_ >= 0) --actual_;
    }
    void MoveLast() { actual_ = filas_ - 1; }
    // 0-based position of the current row.
    int AbsolutePosition() const { return actual_; }
    void Move(int fila) { actual_ = fila; }

    int FieldCount() const { return int(nombres_.size()); }
    const QString& FieldName(int i) const { return nombres_.at(i); }
    // Position of a field, -1 when the result has none of that name.
    int índice(const QString& nombre) const;

    // Value of the current row; an unknown field or no current row is an ErrorAlmacen.
    QVariant valor(int campo) const;
    QVariant valor(const QString& campo) const;
    QVariant operator[](const QString& campo) const { return valor(campo); }

    bool esNulo(const QString& campo) const { return valor(campo).isNull(); }
    // Null as "" / Null as 0, by position or by name.
    QString texto(int campo) const;
    qint64 entero(int campo) const;
    double real(int campo) const;
    QString texto(const QString& campo) const { return texto(campoObligatorio(campo)); }
    qint64 entero(const QString& campo) const { return entero(campoObligatorio(campo)); }
    double real(const QString& campo) const { return real(campoObligatorio(campo)); }

  private:
    int campoObligatorio(const QString& nombre) const;
    // The next field, by its name as the result spells it.
    void agregarCampo(const QString& nombre);
    QStringList nombres_;
    QHash<QString, int> porNombre_;  // lower-case name -> position
    QHash<QString, int> exacto_;     // name as the result spells it -> the same position
    // Row-major cells of 16 bytes; texts and blobs live in the pools.
    struct Celda {
        enum Tipo : uint8_t { Nulo, Entero, Real, Texto, Blob };
        Tipo tipo;
        uint32_t largo;  // of a text (UTF-16 units) or a blob (bytes)
        union {
            qint64 entero;
            double real;
            qint64 desplazamiento;
        };
    };
    // The current row's cell of a field.
    const Celda& celda(int campo) const;
    QString textoDe(const Celda& c) const;

    std::vector<Celda> celdas_;
    std::vector<char16_t> textos_;
    QByteArray blobs_;
    int filas_ = 0;
    int actual_ = 0;
};

// The row positions of a result whose first column is a key (an applicant),
// by key: a page or an export reads the detail rows of many applicants at once.
QHash<qint64, std::vector<int>> FilasPorClave(Recordset& rs);
