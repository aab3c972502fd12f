#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

class Diccionario;

// One page of a search result as HTML, and where its paging buttons lead.
struct PáginaResultados {
    QString html;
    int primero = 0;     // 1-based row number of the page's first applicant
    int último = 0;      // of its last one; 0 on an empty page
    int anteriores = 0;  // first row of the previous page; 0: no previous page
    int siguientes = 0;  // first row of the next page; 0: no next page
};

// The active applicants of a search definition's last result, in surname and
// name order. The order is read once, when the result is loaded; each page
// then reads only its own rows and their details, so paging neither re-runs
// the search nor reads the whole result. It reads the program's store as it is
// at each call: a window that outlives a reopened store still reads it.
class cResultado {
  public:
    static constexpr int TamañoPágina = 20;

    // Reads the order of definition `consulta`'s result (RESULTADO must hold
    // it already); `título` heads every page, and each shows where the words
    // `resaltar` were found. Returns the number of applicants.
    int cargar(int32_t consulta, const QString& título, QStringList resaltar = {});
    // A keyword result: these applicants in this order (best first); each page shows
    // under every applicant where the words `resaltar` were found.
    int cargar(std::vector<int32_t> ids, const QString& título, QStringList resaltar);
    const QStringList& resaltar() const { return resaltar_; }
    int Cantidad() const { return int(ids_.size()); }
    int32_t Id(int fila) const { return ids_.at(size_t(fila - 1)); }
    const std::vector<int32_t>& ids() const { return ids_; }

    // The page whose first row is `primero` (1-based). Applicants deleted
    // since the result was loaded are left out.
    PáginaResultados página(int primero, int tamaño = TamañoPágina,
                            const QDateTime& ahora = QDateTime::currentDateTime()) const;

    // Deletes every applicant of the result with their detail rows, in one
    // transaction; returns how many there were. The result is empty afterwards.
    int eliminarTodos();
    const QString& título() const { return título_; }

  private:
    QString título_;
    std::vector<int32_t> ids_;
    QStringList resaltar_;
};
