#pragma once

#include "records/Subregistros.h"
#include "store/Elemento.h"

#include <QString>
#include <QStringList>

#include <cstdint>

// A text that drops its leading and trailing blanks whenever it is assigned.
class TextoRecortado {
  public:
    TextoRecortado() = default;
    TextoRecortado(const QString& t) : t_(t.trimmed()) {}
    TextoRecortado& operator=(const QString& t) {
        t_ = t.trimmed();
        return *this;
    }
    operator const QString&() const { return t_; }
    const QString& texto() const { return t_; }
    bool isEmpty() const { return t_.isEmpty(); }

  private:
    QString t_;
};

// The tables of an applicant's lists, their rows keyed by "postulante".
const QStringList& TablasDetalle();

// One applicant: every column of its nvx_m_postulantes row and its six lists
// of detail rows. All statements run through the program's `dic`.
class cPostulante {
  public:
    int32_t id = 0;
    uint8_t Dni_País = 0;
    TextoRecortado Dni_Número;
    QString Nombre;
    QString Apellido;
    QString Apellido_Materno;
    uint8_t Sexo = 0;
    uint8_t Nac_Día = 0;
    uint8_t Nac_Mes = 0;
    int16_t nac_año = 0;
    Elemento nac_localidad;
    int16_t nac_provincia = 0;
    uint8_t nac_país = 0;
    uint8_t nacionalidad = 0;
    uint8_t estado_civil = 0;
    uint8_t tiene_hijos = 0;
    QString res_calle;
    Elemento res_barrio;
    Elemento res_localidad;
    int16_t res_provincia = 0;
    uint8_t res_país = 0;
    QString res_cp;
    QString email;
    uint8_t Tel1_tipo = 1, Tel2_tipo = 1, Tel3_tipo = 1;
    QString Tel1_numero, Tel2_numero, tel3_numero;
    QString Tel1_desde = QStringLiteral("00:00"), Tel2_desde = QStringLiteral("00:00"),
            tel3_desde = QStringLiteral("00:00");
    QString Tel1_hasta = QStringLiteral("23:30"), Tel2_hasta = QStringLiteral("23:30"),
            tel3_hasta = QStringLiteral("23:30");
    uint8_t Formsec_orientacion = 0;
    QString Formsec_instituto;
    uint8_t Formsec_estado = 0;
    uint8_t Formsec_completos = 0;
    QString conocimientos;
    int32_t remun_mes = 0;
    float Remun_hora = 0;
    uint8_t MonedaMes = 0;
    uint8_t MonedaHora = 0;
    uint8_t Obra_social = 0;
    uint8_t Tiques_almuerzo = 0;
    uint8_t Relación_dependencia = 0;
    uint8_t Viajar = 0;
    uint8_t Emigrar = 0;
    uint8_t disp_semanal = 0;
    uint8_t disp_horaria = 0;
    int16_t Estatura = 0;
    int16_t med_a = 0, med_b = 0, med_c = 0;
    uint8_t presencia = 0;
    uint8_t contextura = 0;
    QString Observaciones;
    Elemento dato_a, dato_b, dato_c, dato_d, dato_e, dato_f, dato_g, dato_h, dato_i, dato_j;
    QString fecha_ingreso;  // written by the import only
    QString actualizado;    // kept by the store: the time of the last change, yyyymmddhhnnss
    QString ref_búsqueda;
    uint8_t Activo = 1;
    // When true, saving leaves the stored family rows alone.
    bool Importando = false;

    Colecciones::familiares familiares;
    Colecciones::formación formación;
    Colecciones::idiomas idiomas;
    Colecciones::Experiencia Experiencia;
    Colecciones::ÁreasInterés ÁreasInterés;
    Colecciones::Fotos Fotos;

    // Loads by `id` when it is not 0, else by Dni_País + Dni_Número. 1 when a
    // row was found; the collections are emptied first either way.
    uint8_t cargar();

    // A new record: every lookup field still at 0 takes its list's default item
    // (the one marked "predeterminado"), so a new card stores what it shows.
    void AplicarPredeterminados();

    // Writes the applicant row and all its detail rows in one transaction.
    // A new record gets its key here. A loaded record that another
    // workstation changed since it was loaded is not written unless
    // `sobrescribir`: then `cambiadaEl` holds the time of that change. False
    // when nothing was written; a store failure throws ErrorAlmacen and leaves
    // the stored applicant as it was.
    bool guardar(bool sobrescribir = false);
    QString cambiadaEl;

    // Deletes the applicant row and all its detail rows in one transaction.
    void eliminar();

    bool nueva() const { return id == 0; }

  private:
    void vaciarColecciones();
};
