#pragma once

#include <QDate>
#include <QStringList>
#include <QtGlobal>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class Diccionario;

// Fills a store with realistic demonstration applicants: Argentine names and
// addresses, unique documents, education, languages, jobs, interests, photo
// references and family. Everything agrees with the applicant's age and with
// today: no job or study ends after this month, relatives' ages fit their
// relationship, pay is what was paid in each job's year, and the hourly pay
// asked for is the monthly one over about 200 hours. The same seed on the same
// store and day gives the same applicants. Rows are written as the applicant
// record writes them, in one transaction per batch. Returns how many
// applicants were added.
int GenerarPostulantes(Diccionario& d, int cantidad, quint32 semilla,
                       const std::function<void(int hechos, int total)>& progreso = {});

// One demonstration applicant before it is written anywhere. Codes are ids of
// the lookup lists of the store the applicants are drawn on.
struct PostulanteDemo {
    struct Familiar {
        int32_t parentesco;
        QString nombre;
        int edad;
        bool vive, convive, aCargo;
        int32_t ocupación;
    };
    struct Estudio {
        int32_t nivel, área, título, instituto, estado;
        int aprobadas, restantes;
        double promedio;
        int ingreso, último, completos;
    };
    struct Idioma {
        int32_t idioma, habla, lee, escribe;
    };
    struct Empleo {
        int32_t área, puesto, empleador, rubro;
        QStringList tareas;                                // one a line
        int ingresoMes, ingresoAño, egresoMes, egresoAño;  // the end 0 in a current job
        bool actual, aCargo;
        int32_t motivo;
        QString observaciones;
        double sueldo;  // 0: not said
    };
    std::vector<Familiar> familiares;
    std::vector<Estudio> estudios;
    std::vector<Idioma> idiomas;
    std::vector<Empleo> empleos;
    std::vector<int32_t> intereses;
    int fotos = 0;

    int32_t país = 0;  // of the document, of birth and the nationality
    QString documento, nombre, apellido, apellidoMaterno;
    int32_t sexo = 0;
    QDate nacimiento;
    int32_t nacLocalidad = 0, nacProvincia = 0, estadoCivil = 0;
    bool hijos = false;
    QString calle;
    int32_t barrio = 0, resLocalidad = 0, resProvincia = 0;
    QString códigoPostal, email;
    QString tel1, tel1Desde, tel1Hasta;
    int32_t tel2Tipo = 0;
    QString tel2;
    int32_t orientación = 0;
    QString escuela;
    int escuelaEstado = 0, escuelaAños = 0;
    QStringList conocimientos;  // one a line
    double mensual = 0, hora = 0;
    bool obraSocial = false, tiques = false, dependencia = false, viajar = false, emigrar = false;
    int32_t dispSemanal = 0, dispHoraria = 0;
    int estatura = 0;
    int32_t presencia = 0, contextura = 0;
    QString observaciones;
    int32_t datoA = 0, datoB = 0;
    QString alta;  // "yyyyMMddHHmmss", never later than now
    QString referencia;
    bool activo = true;
};

// Draws demonstration applicants one after another by the generator's rules,
// on the lookup lists of `d` (the places and employers they name are added to
// it once). Documents are new to `d` and start `primerDocumento` steps into
// each country's sequence. The same seed, lists and day give the same applicants.
class FuenteDemo {
  public:
    FuenteDemo(Diccionario& d, quint32 semilla, int primerDocumento = 0);
    ~FuenteDemo();
    FuenteDemo(const FuenteDemo&) = delete;
    FuenteDemo& operator=(const FuenteDemo&) = delete;

    PostulanteDemo siguiente();

  private:
    class Reglas;
    std::unique_ptr<Reglas> reglas_;
};
