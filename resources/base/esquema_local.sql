-- Per-workstation tables: search working tables, import staging tables and
-- the catalog of tables linked to a shared file. They always stay local.

CREATE TABLE candora_vinculos (
  tabla TEXT COLLATE TEXTO PRIMARY KEY,
  origen TEXT COLLATE TEXTO
);

-- Every step of a search stores distinct applicant ids: keyed by the id
-- itself, each table is one ordered tree and intersections are lookups.
CREATE TABLE CONSULTA_A (ID INTEGER PRIMARY KEY);
CREATE TABLE CONSULTA_B (ID INTEGER PRIMARY KEY);
CREATE TABLE CONSULTA_C (ID INTEGER PRIMARY KEY);
CREATE TABLE CONSULTA_D (ID INTEGER PRIMARY KEY);
CREATE TABLE RESULTADO (CONSULTA INTEGER, ID INTEGER);
CREATE INDEX RESULTADO_CONSULTA_ID ON RESULTADO (CONSULTA, ID);

-- Import staging tables. Their column order is the field order of the
-- exchange file's data lines.
CREATE TABLE imp_postulantes (
  doc_pais INTEGER,
  doc_numero TEXT COLLATE TEXTO,
  Nombre TEXT COLLATE TEXTO,
  Apellido TEXT COLLATE TEXTO,
  Apellido_Materno TEXT COLLATE TEXTO,
  Sexo INTEGER,
  nac_dia INTEGER,
  Nac_Mes INTEGER,
  nac_ano INTEGER,
  nac_localidad TEXT COLLATE TEXTO,
  nac_provincia INTEGER,
  nac_pais INTEGER,
  nacionalidad1 INTEGER,
  estado_civil INTEGER,
  tiene_hijos INTEGER,
  res_calle TEXT COLLATE TEXTO,
  res_barrio TEXT COLLATE TEXTO,
  res_localidad TEXT COLLATE TEXTO,
  res_provincia INTEGER,
  res_pais INTEGER,
  res_cp TEXT COLLATE TEXTO,
  Tel1_tipo INTEGER,
  Tel1_numero TEXT COLLATE TEXTO,
  Tel1_desde TEXT COLLATE TEXTO,
  Tel1_hasta TEXT COLLATE TEXTO,
  Tel2_tipo INTEGER,
  Tel2_numero TEXT COLLATE TEXTO,
  Tel2_desde TEXT COLLATE TEXTO,
  Tel2_hasta TEXT COLLATE TEXTO,
  Tel3_tipo INTEGER,
  tel3_numero TEXT COLLATE TEXTO,
  tel3_desde TEXT COLLATE TEXTO,
  tel3_hasta TEXT COLLATE TEXTO,
  email TEXT COLLATE TEXTO,
  sec_area INTEGER,
  sec_instituto TEXT COLLATE TEXTO,
  sec_estado INTEGER,
  sec_completos INTEGER,
  conocimientos TEXT COLLATE TEXTO,
  remun_mes INTEGER,
  Remun_hora REAL,
  Obra_social INTEGER,
  tiques INTEGER,
  dependencia INTEGER,
  Viajar INTEGER,
  Emigrar INTEGER,
  disp_dias INTEGER,
  disp_horas INTEGER,
  Estatura INTEGER,
  med_a INTEGER,
  med_b INTEGER,
  med_c INTEGER,
  referencia TEXT COLLATE TEXTO,
  actualizado TEXT COLLATE TEXTO,
  interes1 INTEGER,
  interes2 INTEGER,
  interes3 INTEGER
);
CREATE INDEX imp_postulantes_doc ON imp_postulantes (doc_pais, doc_numero);

CREATE TABLE imp_formacion (
  doc_pais INTEGER,
  doc_numero TEXT COLLATE TEXTO,
  Tipo INTEGER,
  area INTEGER,
  titulo TEXT COLLATE TEXTO,
  instituto TEXT COLLATE TEXTO,
  estado INTEGER,
  aprobadas INTEGER,
  restantes INTEGER,
  Promedio REAL,
  ingreso INTEGER,
  ultimo INTEGER,
  completos INTEGER
);
CREATE INDEX imp_formacion_doc ON imp_formacion (doc_pais, doc_numero);

CREATE TABLE imp_idiomas (
  doc_pais INTEGER,
  doc_numero TEXT COLLATE TEXTO,
  Idioma INTEGER,
  Habla INTEGER,
  Lee INTEGER,
  Escribe INTEGER
);
CREATE INDEX imp_idiomas_doc ON imp_idiomas (doc_pais, doc_numero);

CREATE TABLE imp_experiencia (
  doc_pais INTEGER,
  doc_numero TEXT COLLATE TEXTO,
  area INTEGER,
  puesto INTEGER,
  empleador TEXT COLLATE TEXTO,
  rubro TEXT COLLATE TEXTO,
  tareas TEXT COLLATE TEXTO,
  ingreso_mes INTEGER,
  ingreso_ano INTEGER,
  egreso_mes INTEGER,
  egreso_ano INTEGER,
  actual INTEGER,
  Acargo INTEGER,
  motivo INTEGER,
  remun REAL
);
CREATE INDEX imp_experiencia_doc ON imp_experiencia (doc_pais, doc_numero);
