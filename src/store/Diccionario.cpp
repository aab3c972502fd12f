#include "store/Diccionario.h"

#include "store/Cadenas.h"
#include "store/Conexion.h"
#include "store/Controles.h"
#include "store/ErrorAlmacen.h"
#include "store/Interaccion.h"
#include "store/SqlJet.h"
#include "store/Valores.h"

#include <limits>
#include <optional>

std::unique_ptr<Diccionario> dic;

Diccionario& Almacén() {
    if (!dic)
        throw ErrorAlmacen(QStringLiteral("La base de datos no está abierta."),
                           QStringLiteral("Candora no tiene conexión con la base de datos. Use "
                                          "Sistema › Reabrir la base de datos."));
    return *dic;
}

namespace {

const QString& kFallaSentencia = ErrorAlmacen::kGenérica;

void exigirIdentificador(const QString& nombre) {
    if (!EsIdentificador(nombre))
        throw ErrorAlmacen(
            kFallaSentencia,
            QStringLiteral("«%1» no es un nombre de tabla o columna válido.").arg(nombre));
}

}  // namespace

Diccionario::Diccionario() = default;

Diccionario::~Diccionario() {
    cerrar();
}

bool Diccionario::abierto() const {
    return motor_ != nullptr;
}

Motor& Diccionario::motor(const QString& sql) const {
    if (!motor_)
        throw ErrorAlmacen(kFallaSentencia, QStringLiteral("La base de datos está cerrada."), sql);
    return *motor_;
}

const QString& Diccionario::rutaLocal() const {
    static const QString ninguna;
    return motor_ ? motor_->rutaLocal() : ninguna;
}

const QStringList& Diccionario::archivosVinculados() const {
    static const QStringList ninguno;
    return motor_ ? motor_->archivosVinculados() : ninguno;
}

void Diccionario::setStrConexión(const QString& conexión) {
    cerrar();
    const QString proveedor = ValorConexión(conexión, QStringLiteral("Provider"));
    if (!EsProveedorArchivo(proveedor))
        throw ErrorAlmacen(
            QStringLiteral("No se puede abrir la base de datos."),
            QStringLiteral("El proveedor «%1» no está disponible en esta instalación de Candora. "
                           "Elija el proveedor «%2» en las opciones del sistema.")
                .arg(proveedor, QString::fromLatin1(kProveedorJet)));
    abrirArchivo(RutaLocalEfectiva(ValorConexión(conexión, QStringLiteral("Data Source"))), true);
    strConexión_ = conexión;
}

void Diccionario::abrirArchivo(const QString& ruta, bool conVínculos, bool crear) {
    cerrar();
    motor_ = AbrirMotorSqlite(ruta, conVínculos, crear);
}

void Diccionario::abrirServidor(const QString& conexión, const QString& usuario,
                                const QString& contraseña) {
    cerrar();
    motor_ = AbrirMotorPostgres(conexión, usuario, contraseña);
}

bool Diccionario::responde() {
    if (!abierto()) return false;
    try {
        motor_->sondear();
        return true;
    } catch (const ErrorAlmacen& e) {
        return e.ocupado();
    }
}

void Diccionario::cerrar() {
    motor_.reset();
    nivel_ = 0;
}

void Diccionario::setEsperaOcupado(int milisegundos) {
    if (motor_) motor_->setEsperaOcupado(milisegundos);
}

void Diccionario::ejecutar(const QString& sql) {
    if (sql.isEmpty()) return;
    motor(sql).ejecutar(sql);
}

int Diccionario::ejecutar(const QString& sql, const QVariantList& valores) {
    return motor(sql).ejecutar(sql, valores);
}

void Diccionario::copiar(const QString& tabla, const QStringList& columnas,
                         const std::vector<QVariantList>& filas) {
    exigirIdentificador(tabla);
    for (const QString& c : columnas) exigirIdentificador(c);
    if (filas.empty()) return;
    Transaccion t(*this, Transaccion::Bloqueo::Diferido);
    motor(tabla).copiar(tabla, columnas, filas);
    t.confirmar();
}

void Diccionario::encolar(const QString& sql, const QVariantList& valores) {
    motor(sql).encolar(sql, valores);
}

// Every result set is static and client-side, whatever cursor a caller would ask for.
std::unique_ptr<Recordset> Diccionario::AbrirRS(const QString& sql) {
    if (sql.trimmed().isEmpty()) return nullptr;
    RelojDeArena reloj;
    return motor(sql).leer(sql);
}

std::unique_ptr<Recordset> Diccionario::AbrirRS(const QString& sql, const QVariantList& valores) {
    if (sql.trimmed().isEmpty()) return nullptr;
    RelojDeArena reloj;
    return motor(sql).leer(sql, valores);
}

QVariant Diccionario::valorÚnico(const QString& sql, const QVariantList& valores) {
    return motor(sql).valorÚnico(sql, valores);
}

void Diccionario::DeleteId(const QString& tabla, const QString& columna, int32_t valor) {
    exigirIdentificador(tabla);
    exigirIdentificador(columna);
    ejecutar(QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(tabla, columna), {valor});
}

void Diccionario::LimpiarPostulante(int32_t id) {
    std::optional<Transaccion> t;
    if (!enTransacción()) t.emplace(*this);
    if (valorÚnico(QStringLiteral("select 1 from nvx_m_postulantes where id = ?"), {id}).isValid())
        throw ErrorAlmacen(
            QStringLiteral("No se puede crear el postulante."),
            QStringLiteral("La clave %1 ya pertenece a un postulante de la base de datos: el "
                           "contador de claves de «nvx_m_postulantes» está atrasado respecto de "
                           "los datos. Avise al soporte técnico.")
                .arg(id));
    for (const char* tabla : {"nvx_d_idiomas", "nvx_d_experiencia", "nvx_d_interes",
                              "nvx_d_formacion", "nvx_d_documentos"})
        encolar(QStringLiteral("delete from %1 where postulante = ?").arg(QLatin1String(tabla)),
                {id});
    if (t) t->confirmar();
}

int32_t Diccionario::PróximoID(const QString& tabla) {
    // Inside a caller's transaction the read and the increment are already one
    // unit; a failure undoes the caller's work too.
    std::optional<Transaccion> t;
    if (!enTransacción()) t.emplace(*this);
    const QVariant último = motor().últimoId(tabla);
    if (!último.isValid() || último.toLongLong() >= std::numeric_limits<int32_t>::max()) {
        MsgBox(QStringLiteral("No se pudo obtener un número de orden para este registro. Puede que "
                              "otro usuario esté accediendo a los mismos datos en este momento.") +
                   QStringLiteral("\n\nPor favor, intente de nuevo."),
               Icono::Exclamación);
        return 0;
    }
    const int32_t próximo = int32_t(último.toLongLong() + 1);
    motor().tomarId(tabla, próximo);
    if (t) t->confirmar();
    return próximo;
}

QString Diccionario::NombreElemento(const QString& tabla, int32_t id, const QString& columna) {
    const QString c = columna.isEmpty() ? QStringLiteral("nombre") : columna;
    exigirIdentificador(tabla);
    exigirIdentificador(c);
    return VacíoSiNulo(
        valorÚnico(QStringLiteral("select %1 as xdato from %2 where id = ?").arg(c, tabla), {id}));
}

Elemento Diccionario::GetElemento(const QString& tabla, int32_t id) {
    exigirIdentificador(tabla);
    Elemento e;
    auto rs = AbrirRS(QStringLiteral("select id, nombre from %1 where id = ?").arg(tabla), {id});
    if (!rs->eof()) {
        e.id = int32_t(rs->entero(QStringLiteral("id")));
        e.Nombre = rs->texto(QStringLiteral("nombre"));
    }
    return e;
}

int32_t Diccionario::ElementoID(const QString& tabla, const QString& nombre) {
    exigirIdentificador(tabla);
    return int32_t(
        valorÚnico(QStringLiteral("select ID from %1 where NOMBRE = ? order by ID").arg(tabla),
                   {nombre})
            .toLongLong());
}

int32_t Diccionario::Nuevo_Elemento(const QString& tabla, const QString& nombre) {
    if (nombre.trimmed().isEmpty()) return 0;
    RelojDeArena reloj;
    QString limpio = nombre;
    LimpiarTexto(limpio);
    if (limpio.isEmpty()) return 0;
    // A name already listed needs no lock. Otherwise look up again and insert in
    // one write transaction: two workstations never add one name twice.
    if (const int32_t id = ElementoID(tabla, limpio)) return id;
    Transaccion t(*this);
    if (const int32_t id = ElementoID(tabla, limpio)) return id;
    const int32_t id = PróximoID(tabla);
    if (id == 0) return 0;
    encolar(QStringLiteral("INSERT INTO %1 (Id, Nombre) VALUES (?, ?)").arg(tabla), {id, limpio});
    t.confirmar();
    return id;
}

void Diccionario::LlenarComboElementos(const QString& tabla, ControlLista& lista, int porOrden,
                                       bool conNinguno, int32_t idSeleccionado) {
    exigirIdentificador(tabla);
    auto rs =
        AbrirRS(QStringLiteral("select Id, Nombre, predeterminado from %1 order by %2")
                    .arg(tabla, porOrden != 0 ? QStringLiteral("orden, nombre")  // ties by name
                                              : QStringLiteral("nombre")));
    lista.Clear();
    int selección = -1;
    if (conNinguno) {
        selección = lista.AddItem(QStringLiteral("(ninguno)"));
        lista.setItemData(selección, 0);
    }
    for (; !rs->eof(); rs->MoveNext()) {
        const int32_t id = int32_t(rs->entero(QStringLiteral("Id")));
        const int i = lista.AddItem(rs->texto(QStringLiteral("Nombre")));
        lista.setItemData(i, id);
        if (rs->entero(QStringLiteral("predeterminado")) == 1 && idSeleccionado == 0 &&
            selección < 0)
            selección = i;
        if (id == idSeleccionado) selección = i;
    }
    if (selección >= 0) lista.setListIndex(selección);
}

Campo Diccionario::GetCampo(int32_t id) {
    RelojDeArena reloj;
    auto rs = AbrirRS(QStringLiteral("select * from nvx_diccionario where ID = ?"), {id});
    Campo c;
    if (rs->eof()) {
        MsgBox(QStringLiteral("No se encontró información sobre el ID %1 en la tabla Diccionario.")
                   .arg(id),
               Icono::Exclamación, Botones::Aceptar, QStringLiteral("Error de código fuente"));
        return c;
    }
    c.id = int32_t(rs->entero(QStringLiteral("id")));
    c.orden = int16_t(rs->entero(QStringLiteral("orden")));
    c.tabla = rs->texto(QStringLiteral("tabla"));
    c.Tipo = rs->texto(QStringLiteral("Tipo"));
    c.Nombre_Columna = rs->texto(QStringLiteral("Nombre_Columna"));
    c.Relacion_Tabla = rs->texto(QStringLiteral("Relacion_Tabla"));
    c.Relacion_Clave = rs->texto(QStringLiteral("Relacion_Clave"));
    c.Relacion_Retorno = rs->texto(QStringLiteral("Relacion_Retorno"));
    return c;
}

QString Diccionario::tipodato(int32_t id) {
    RelojDeArena reloj;
    return VacíoSiNulo(
        valorÚnico(QStringLiteral("select TIPO from nvx_diccionario where ID = ?"), {id}));
}

QString Diccionario::RelaciónTabla(const QString& tabla, const QString& columna) {
    return VacíoSiNulo(valorÚnico(QStringLiteral("select Relacion_Tabla from nvx_diccionario "
                                                 "where Tabla = ? and Nombre_Columna = ?"),
                                  {tabla, columna}));
}

int32_t Diccionario::idcolumna(const QString& tabla, const QString& columna) {
    return int32_t(valorÚnico(QStringLiteral("select ID from nvx_diccionario where Tabla = ? and "
                                             "Nombre_Columna = ?"),
                              {tabla, columna})
                       .toLongLong());
}

QString Diccionario::nomdato(int32_t id) {
    RelojDeArena reloj;
    auto rs = AbrirRS(
        QStringLiteral("select lng, lng2, Nombre_Largo from nvx_diccionario where ID = ?"), {id});
    if (rs->eof()) return {};
    // A column with no string of its own goes by its long name.
    const int lng = int(rs->entero(QStringLiteral("lng")));
    if (lng == 0) return rs->texto(QStringLiteral("Nombre_Largo"));
    QString t = CadenaRecurso(lng);
    const int lng2 = int(rs->entero(QStringLiteral("lng2")));
    if (lng2 > 0) t += u'-' + CadenaRecurso(lng2);
    return t;
}

Elementos Diccionario::ListaColumnas(const QString& tabla) {
    Elementos lista;
    auto rs =
        AbrirRS(QStringLiteral("select Orden, Dato, Tipo from nvx_diccionario where Tabla = ? "
                               "order by Orden"),
                {tabla});
    for (; !rs->eof(); rs->MoveNext())
        lista.Add(int32_t(rs->entero(QStringLiteral("Orden"))), rs->texto(QStringLiteral("Dato")),
                  rs->texto(QStringLiteral("Tipo")));
    return lista;
}

Elementos Diccionario::ListaElementos(const QString& tabla, const QString& columnaOrden) {
    exigirIdentificador(tabla);
    if (!EsListaOrden(columnaOrden))
        throw ErrorAlmacen(kFallaSentencia,
                           QStringLiteral("«%1» no es un orden válido.").arg(columnaOrden));
    Elementos lista;
    auto rs =
        AbrirRS(QStringLiteral("select Id, Nombre from %1 order by %2").arg(tabla, columnaOrden));
    for (; !rs->eof(); rs->MoveNext())
        lista.Add(int32_t(rs->entero(QStringLiteral("Id"))), rs->texto(QStringLiteral("Nombre")));
    return lista;
}

std::vector<Diccionario::Tabla> Diccionario::Tablas() {
    RelojDeArena reloj;
    return motor().tablas();
}

int Diccionario::ColumnasTabla(const QString& tabla) {
    return int(NombresColumnas(tabla).size());
}

QStringList Diccionario::NombresColumnas(const QString& tabla) {
    RelojDeArena reloj;
    return motor().nombresColumnas(tabla);
}

void Diccionario::PrepararTablasImportación() {
    motor().prepararTablasImportación();
}

int Diccionario::VersiónEsquema() {
    return motor().versiónEsquema();
}

Transaccion::Transaccion(Diccionario& d, Bloqueo bloqueo) : d_(d), nivel_(d.nivel_ + 1) {
    Motor& m = d_.motor();
    if (nivel_ == 1) {
        m.exigirEnSuLugar();
        reloj_.emplace();
        m.comenzar(bloqueo == Bloqueo::Inmediato);
    } else {
        m.fijarPunto(nivel_);
    }
    d_.nivel_ = nivel_;
}

void Transaccion::confirmar() {
    if (terminada_) return;
    Motor& m = d_.motor();
    if (nivel_ == 1)
        m.confirmar();
    else
        m.liberarPunto(nivel_);
    terminada_ = true;
    d_.nivel_ = nivel_ - 1;
}

Transaccion::~Transaccion() {
    if (terminada_) return;
    d_.nivel_ = nivel_ - 1;
    if (!d_.abierto()) return;
    try {
        if (nivel_ == 1)
            d_.motor_->deshacer();
        else
            d_.motor_->deshacerPunto(nivel_);
    } catch (const ErrorAlmacen&) {
        // Nothing more can be done while unwinding; the store ends the transaction with
        // the connection.
    }
}
