#include "Almacen.h"
#include "Apoyo.h"

#include "records/cPostulante.h"
#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"

#include <gtest/gtest.h>

namespace {

Elemento Ítem(const QString& nombre, int32_t id = 0) {
    Elemento e;
    e.id = id;
    e.Nombre = nombre;
    return e;
}

class PostulanteTest : public AlmacenAbierto {
  protected:
    qint64 contar(const QString& sql, const QVariantList& v = {}) {
        return dic->valorÚnico(sql, v).toLongLong();
    }
    QString volcado(int32_t id) { return VolcadoPostulante(*dic, id); }
    // An applicant with every property set and entries in every list.
    static void completar(cPostulante& p) {
        p.Dni_País = 1;
        p.Dni_Número = QStringLiteral(" 28123456 ");
        p.Nombre = QStringLiteral("María José");
        p.Apellido = QStringLiteral("D'Angelo");
        p.Apellido_Materno = QStringLiteral("Núñez");
        p.Sexo = 1;
        p.Nac_Día = 29;
        p.Nac_Mes = 2;
        p.nac_año = 1984;
        p.nac_localidad = Ítem(QStringLiteral("Villa Gesell del Sur"));
        p.nac_provincia = 2;
        p.nac_país = 1;
        p.nacionalidad = 1;
        p.estado_civil = 2;
        p.tiene_hijos = 1;
        p.res_calle = QStringLiteral("Av. Corrientes 1234, 5° \"B\"");
        p.res_barrio = Ítem(QStringLiteral("Almagro Norte"));
        p.res_localidad = Ítem(QStringLiteral("villa gesell del sur "));  // the same new name again
        p.res_provincia = 1;
        p.res_país = 1;
        p.res_cp = QStringLiteral("C1043AAZ");
        p.email = QStringLiteral("mj@correo.com.ar");
        p.Tel1_tipo = 2;
        p.Tel1_numero = QStringLiteral("11 4555-1234");
        p.Tel1_desde = QStringLiteral("09:00");
        p.Tel1_hasta = QStringLiteral("18:00");
        p.Tel2_tipo = 3;
        p.Tel2_numero = QStringLiteral("15 6000-0000");
        p.tel3_numero = QStringLiteral("0800");
        p.tel3_desde = QStringLiteral("10:30");
        p.tel3_hasta = QStringLiteral("12:00");
        p.Formsec_orientacion = 3;
        p.Formsec_instituto = QStringLiteral("Colegio Nacional");
        p.Formsec_estado = 1;
        p.Formsec_completos = 5;
        p.conocimientos = QStringLiteral("Excel avanzado\nSAP");
        p.remun_mes = 850000;
        p.Remun_hora = 4500.75f;
        p.MonedaMes = 1;
        p.MonedaHora = 2;
        p.Obra_social = 1;
        p.Tiques_almuerzo = 1;
        p.Relación_dependencia = 1;
        p.Viajar = 1;
        p.Emigrar = 1;
        p.disp_semanal = 2;
        p.disp_horaria = 3;
        p.Estatura = 172;
        p.med_a = 90;
        p.med_b = 60;
        p.med_c = 90;
        p.presencia = 2;
        p.contextura = 1;
        p.Observaciones = QStringLiteral("Entrevistada el lunes.");
        p.dato_a = Ítem(QStringLiteral("Zona Norte"));
        p.dato_j = Ítem(QStringLiteral("Prioridad alta"));
        p.ref_búsqueda = QStringLiteral("Aviso 12/2026");
        p.familiares.Add(2, 7, true, QStringLiteral("Tomás"), true, true,
                         Ítem(QStringLiteral("Estudiante")), Ítem(QString()));
        p.familiares.Add(1, 40, false, QStringLiteral("Juan"), true, false,
                         Ítem(QStringLiteral("Chofer")),
                         Ítem(QStringLiteral("Transportes del Plata S.R.L.")));
        p.formación
            .Add(4, Ítem(QStringLiteral("Universidad de Buenos Aires")), 1, 30, 0, 2002, 2008,
                 7.25f, 2, Ítem(QStringLiteral("Contadora Pública")))
            .AñosCompletos = 5;
        p.formación.Add(5, Ítem(QString()), 2, 3, 4, 2015, 0, 0, 0,
                        Ítem(QStringLiteral("Maestría en Finanzas")));
        p.idiomas.Add(1, 4, 5, 3);
        p.idiomas.Add(2, 1, 2, 1);
        p.Experiencia.Add(1, 2, Ítem(QStringLiteral("Transportes del Plata S.R.L.")), 3, 3, 2010, 0,
                          0, 1, QStringLiteral("Liquidación de sueldos\nCobranzas"), 1, 0,
                          QStringLiteral("1500.5"), QStringLiteral("Referencias: Sr. O'Connor"));
        p.Experiencia.Add(2, 1, Ítem(QString()), 0, 1, 2008, 12, 2009, 0, QString(), 0, 2,
                          QString(), QString());
        p.ÁreasInterés.Add(1);
        p.ÁreasInterés.Add(5);
        p.Fotos.Add(QString(), QStringLiteral("/home/ana/fotos/mj 1.png"));
        p.Fotos.Add(QStringLiteral("Perfil de \"María\""),
                    QStringLiteral("/home/ana/fotos/o'neil#2.jpg"));
    }

    InteraccionGuionada usuario;
};

TEST_P(PostulanteTest, UnaFichaCompletaVuelveIgualYGuardarSinCambiosNoMueveNada) {
    cPostulante p;
    completar(p);
    ASSERT_TRUE(p.guardar());
    ASSERT_GT(p.id, 0);
    EXPECT_EQ(p.Dni_Número.texto(), QStringLiteral("28123456"));
    EXPECT_EQ(p.nac_localidad.id, p.res_localidad.id);  // one new locality, reused
    EXPECT_EQ(contar(QStringLiteral(
                  "select count(*) from nvx_m_localidades where nombre = 'Villa Gesell del Sur'")),
              1);
    EXPECT_EQ(p.actualizado.size(), 14);

    cPostulante q;
    q.Dni_País = 1;
    q.Dni_Número = QStringLiteral("28123456  ");
    ASSERT_EQ(q.cargar(), 1);
    EXPECT_EQ(q.id, p.id);
    for (const auto& [a, b] : std::initializer_list<std::pair<QString, QString>>{
             {q.Nombre, p.Nombre},
             {q.Apellido, p.Apellido},
             {q.Apellido_Materno, p.Apellido_Materno},
             {q.res_calle, p.res_calle},
             {q.res_cp, p.res_cp},
             {q.email, p.email},
             {q.Tel1_numero, p.Tel1_numero},
             {q.Tel1_desde, p.Tel1_desde},
             {q.Tel1_hasta, p.Tel1_hasta},
             {q.Tel2_numero, p.Tel2_numero},
             {q.tel3_numero, p.tel3_numero},
             {q.tel3_desde, p.tel3_desde},
             {q.tel3_hasta, p.tel3_hasta},
             {q.Tel2_desde, QStringLiteral("00:00")},
             {q.Formsec_instituto, p.Formsec_instituto},
             {q.conocimientos, p.conocimientos},
             {q.Observaciones, p.Observaciones},
             {q.ref_búsqueda, p.ref_búsqueda},
             {q.actualizado, p.actualizado},
             {q.fecha_ingreso, QString()},
             {q.nac_localidad.Nombre, QStringLiteral("Villa Gesell del Sur")},
             {q.res_barrio.Nombre, p.res_barrio.Nombre},
             {q.dato_a.Nombre, p.dato_a.Nombre},
             {q.dato_j.Nombre, p.dato_j.Nombre},
             {q.dato_e.Nombre, QString()}})
        EXPECT_EQ(a, b);
    for (const auto& [a, b] :
         std::initializer_list<std::pair<int, int>>{{q.Sexo, 1},
                                                    {q.Nac_Día, 29},
                                                    {q.Nac_Mes, 2},
                                                    {q.nac_año, 1984},
                                                    {q.nac_provincia, 2},
                                                    {q.nac_país, 1},
                                                    {q.nacionalidad, 1},
                                                    {q.estado_civil, 2},
                                                    {q.tiene_hijos, 1},
                                                    {q.res_provincia, 1},
                                                    {q.res_país, 1},
                                                    {q.Tel1_tipo, 2},
                                                    {q.Tel2_tipo, 3},
                                                    {q.Tel3_tipo, 1},
                                                    {q.Formsec_orientacion, 3},
                                                    {q.Formsec_estado, 1},
                                                    {q.Formsec_completos, 5},
                                                    {q.remun_mes, 850000},
                                                    {q.MonedaMes, 1},
                                                    {q.MonedaHora, 2},
                                                    {q.Obra_social, 1},
                                                    {q.Tiques_almuerzo, 1},
                                                    {q.Relación_dependencia, 1},
                                                    {q.Viajar, 1},
                                                    {q.Emigrar, 1},
                                                    {q.disp_semanal, 2},
                                                    {q.disp_horaria, 3},
                                                    {q.Estatura, 172},
                                                    {q.med_a, 90},
                                                    {q.med_b, 60},
                                                    {q.med_c, 90},
                                                    {q.presencia, 2},
                                                    {q.contextura, 1},
                                                    {q.Activo, 1},
                                                    {q.dato_a.id, p.dato_a.id}})
        EXPECT_EQ(a, b);
    EXPECT_FLOAT_EQ(q.Remun_hora, 4500.75f);

    ASSERT_EQ(q.familiares.Count(), 2);
    EXPECT_EQ(q.familiares.Item(1).Nombre, QStringLiteral("Tomás"));
    EXPECT_TRUE(q.familiares.Item(1).Acargo);
    EXPECT_FALSE(q.familiares.Item(2).Convive);
    EXPECT_EQ(q.familiares.Item(1).Ocupación.Nombre, QStringLiteral("Estudiante"));
    EXPECT_EQ(q.familiares.Item(1).Empresa.id, 0);
    EXPECT_EQ(q.familiares.Item(2).Empresa.Nombre,
              QStringLiteral("Transportes del Plata S.R.L."));  // a company name as written
    ASSERT_EQ(q.formación.Count(), 2);
    EXPECT_FLOAT_EQ(q.formación.Item(1).Promedio, 7.25f);
    EXPECT_EQ(q.formación.Item(1).AñosCompletos, 5);
    EXPECT_EQ(q.formación.Item(1).Título.Nombre, QStringLiteral("Contadora Pública"));
    EXPECT_EQ(q.formación.Item(2).AñoIngreso, 2015);
    EXPECT_EQ(q.formación.Item(2).institución.id, 0);
    ASSERT_EQ(q.idiomas.Count(), 2);
    EXPECT_EQ(q.idiomas.Item(1).Lee, 5);
    ASSERT_EQ(q.Experiencia.Count(), 2);
    EXPECT_EQ(q.Experiencia.Item(1).remuneración, QStringLiteral("1500.5"));
    EXPECT_EQ(q.Experiencia.Item(1).Observaciones, QStringLiteral("Referencias: Sr. O'Connor"));
    EXPECT_EQ(q.Experiencia.Item(1).empleador.id, q.familiares.Item(2).Empresa.id);
    EXPECT_EQ(q.Experiencia.Item(2).remuneración, QString());  // stored as Null
    EXPECT_EQ(q.Experiencia.Item(2).egreso_año, 2009);
    EXPECT_EQ(q.ÁreasInterés.Count(), 2);
    EXPECT_EQ(q.ÁreasInterés.Item(2), 5);
    ASSERT_EQ(q.Fotos.Count(), 2);
    EXPECT_EQ(q.Fotos.Item(2).Título, QStringLiteral("Perfil de \"María\""));
    EXPECT_EQ(q.Fotos.Item(2).Archivo, QStringLiteral("/home/ana/fotos/o'neil#2.jpg"));
    EXPECT_EQ(contar(QStringLiteral("select count(*) from nvx_d_fotos where titulo = ''")), 1);

    // Loading again does not double the lists; saving unchanged keeps every row as it was.
    ASSERT_EQ(q.cargar(), 1);
    EXPECT_EQ(q.familiares.Count(), 2);
    const QString antes = volcado(p.id);
    ASSERT_TRUE(q.guardar());
    QString después = volcado(p.id);
    EXPECT_EQ(después.replace(q.actualizado, p.actualizado), antes);
}

TEST_P(PostulanteTest, UnaFichaNuevaSinTocarGuardaLosValoresIniciales) {
    cPostulante p;
    ASSERT_TRUE(p.guardar());
    auto rs = dic->AbrirRS(QStringLiteral("select * from nvx_m_postulantes where id = ?"), {p.id});
    ASSERT_EQ(rs->RecordCount(), 1);
    for (int i = 0; i < rs->FieldCount(); ++i) {
        const QString columna = rs->FieldName(i).toLower();
        const QVariant v = rs->valor(i);
        SCOPED_TRACE(columna.toStdString());
        if (columna == QLatin1String("id"))
            EXPECT_EQ(v.toInt(), p.id);
        else if (columna.endsWith(QLatin1String("_tipo")) || columna == QLatin1String("activo"))
            EXPECT_EQ(v.toInt(), 1);
        else if (columna.endsWith(QLatin1String("_desde")))
            EXPECT_EQ(v.toString(), QStringLiteral("00:00"));
        else if (columna.endsWith(QLatin1String("_hasta")))
            EXPECT_EQ(v.toString(), QStringLiteral("23:30"));
        else if (columna == QLatin1String("dni_numero"))
            EXPECT_TRUE(!v.isNull() && v.toString().isEmpty());
        else if (columna == QLatin1String("actualizado"))
            EXPECT_EQ(v.toString().size(), 14);
        else if (v.metaType().id() == QMetaType::QString || v.isNull())
            EXPECT_TRUE(v.isNull() || v.toInt() == 0) << v.toString().toStdString();
        else
            EXPECT_EQ(v.toDouble(), 0.0);
    }
    // A Null in a numeric column loads as 0.
    dic->ejecutar(
        QStringLiteral("update nvx_m_postulantes set sexo = null, remun_hora = null where id = ?"),
        {p.id});
    cPostulante q;
    q.id = p.id;
    ASSERT_EQ(q.cargar(), 1);
    EXPECT_EQ(q.Sexo, 0);
    EXPECT_EQ(q.Remun_hora, 0.f);

    cPostulante nadie;
    EXPECT_EQ(nadie.cargar(), 0);  // neither key: nothing is read
    nadie.Dni_País = 1;
    nadie.Dni_Número = QStringLiteral("99");
    EXPECT_EQ(nadie.cargar(), 0);
}

TEST_P(PostulanteTest, ImportandoDejaLaFamiliaYEliminarBorraTodo) {
    cPostulante p;
    completar(p);
    ASSERT_TRUE(p.guardar());
    cPostulante importado;
    importado.id = p.id;
    ASSERT_EQ(importado.cargar(), 1);
    importado.familiares.Clear();
    importado.idiomas.Clear();
    importado.Importando = true;
    ASSERT_TRUE(importado.guardar());
    EXPECT_EQ(contar(QStringLiteral("select count(*) from nvx_d_familiares where postulante = ?"),
                     {p.id}),
              2);
    EXPECT_EQ(
        contar(QStringLiteral("select count(*) from nvx_d_idiomas where postulante = ?"), {p.id}),
        0);

    cPostulante otro;
    completar(otro);
    otro.Dni_Número = QStringLiteral("1");
    ASSERT_TRUE(otro.guardar());
    importado.eliminar();
    EXPECT_EQ(volcado(p.id), QString());
    EXPECT_NE(volcado(otro.id), QString());
}

TEST_P(PostulanteTest, UnaFallaAMitadDeGuardarDejaLaFichaGuardadaComoEstaba) {
    cPostulante p;
    completar(p);
    ASSERT_TRUE(p.guardar());
    const QString antes = volcado(p.id);
    const qint64 localidades = contar(QStringLiteral("select count(*) from nvx_m_localidades"));
    const qint64 contador =
        contar(QStringLiteral("select ultimo_id from nvx_m_ids where tabla = 'nvx_m_postulantes'"));
    // The photos are written last: make that step fail.
    almacén->provocarFalla(*dic, QStringLiteral("nvx_d_fotos"),
                           QStringLiteral("new.titulo = 'FALLA'"));

    cPostulante q;
    q.id = p.id;
    ASSERT_EQ(q.cargar(), 1);
    q.Apellido = QStringLiteral("Cambiado");
    q.res_localidad = Ítem(QStringLiteral("Localidad Nueva"));
    q.idiomas.Clear();
    q.Fotos.Add(QStringLiteral("FALLA"), QStringLiteral("x.png"));
    EXPECT_THROW(q.guardar(), ErrorAlmacen);
    EXPECT_FALSE(dic->enTransacción());
    EXPECT_EQ(volcado(p.id), antes);
    EXPECT_EQ(q.res_localidad.id, 0);  // the rolled-back item has no key
    EXPECT_EQ(contar(QStringLiteral("select count(*) from nvx_m_localidades")), localidades);

    cPostulante nuevo;
    completar(nuevo);
    nuevo.Fotos.Add(QStringLiteral("FALLA"), QStringLiteral("x.png"));
    EXPECT_THROW(nuevo.guardar(), ErrorAlmacen);
    EXPECT_EQ(nuevo.id, 0);
    EXPECT_EQ(
        contar(QStringLiteral("select ultimo_id from nvx_m_ids where tabla = 'nvx_m_postulantes'")),
        contador);
    EXPECT_EQ(contar(QStringLiteral("select count(*) from nvx_m_postulantes")), 1);

    // Without a key nothing is stored, under 0 or any other.
    dic->ejecutar(QStringLiteral("delete from nvx_m_ids where tabla = 'nvx_m_postulantes'"));
    cPostulante sinClave;
    EXPECT_FALSE(sinClave.guardar());
    EXPECT_EQ(sinClave.id, 0);
    EXPECT_EQ(contar(QStringLiteral("select count(*) from nvx_m_postulantes")), 1);
    EXPECT_EQ(contar(QStringLiteral("select count(*) from nvx_m_postulantes where id = 0")), 0);
}

TEST_P(PostulanteTest, UnCambioDeOtroPuestoNoSePisaSinQuererlo) {
    cPostulante p;
    completar(p);
    ASSERT_TRUE(p.guardar());
    cPostulante a, b;
    a.id = b.id = p.id;
    ASSERT_EQ(a.cargar(), 1);
    ASSERT_EQ(b.cargar(), 1);

    a.Apellido = QStringLiteral("Primero");
    ASSERT_TRUE(a.guardar());
    a.email = QStringLiteral("otra@correo.com.ar");
    ASSERT_TRUE(a.guardar());  // its own earlier save does not count as someone else's

    b.Apellido = QStringLiteral("Segundo");
    b.idiomas.Clear();
    EXPECT_FALSE(b.guardar());
    EXPECT_EQ(b.cambiadaEl, a.actualizado);  // the card asks its user what to do
    EXPECT_EQ(dic->valorÚnico(QStringLiteral("select apellido from nvx_m_postulantes where id = ?"),
                              {p.id})
                  .toString(),
              QStringLiteral("Primero"));
    EXPECT_EQ(
        contar(QStringLiteral("select count(*) from nvx_d_idiomas where postulante = ?"), {p.id}),
        2);

    ASSERT_TRUE(b.guardar(true));  // overwriting on purpose
    EXPECT_EQ(dic->valorÚnico(QStringLiteral("select apellido from nvx_m_postulantes where id = ?"),
                              {p.id})
                  .toString(),
              QStringLiteral("Segundo"));
    EXPECT_GT(b.actualizado, a.actualizado);

    // A change to a detail row alone moves the change time as well.
    const QString visto = b.actualizado;
    dic->ejecutar(
        QStringLiteral("update nvx_m_postulantes set actualizado = '20200101000000' where id = ?"),
        {p.id});
    dic->ejecutar(QStringLiteral("delete from nvx_d_interes where postulante = ?"), {p.id});
    EXPECT_GT(
        dic->valorÚnico(QStringLiteral("select actualizado from nvx_m_postulantes where id = ?"),
                        {p.id})
            .toString(),
        QStringLiteral("20200101000000"));
    EXPECT_FALSE(visto.isEmpty());
}

EN_AMBOS_ALMACENES(PostulanteTest);

}  // namespace
