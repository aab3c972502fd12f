-- Shared data of a Candora store: applicants, their detail rows, lookup lists,
-- key counters, data dictionary and saved searches. In a workstation set-up
-- these tables live in the shared file and the local file links to them.
-- Every text column compares with the TEXTO collation (case-insensitive,
-- accent-aware Spanish order), registered by the program on each connection.

CREATE TABLE nvx_m_postulantes (
  id INTEGER PRIMARY KEY,
  dni_pais INTEGER NOT NULL DEFAULT 0,
  dni_numero TEXT COLLATE TEXTO,
  nombre TEXT COLLATE TEXTO,
  apellido TEXT COLLATE TEXTO,
  apellido_materno TEXT COLLATE TEXTO,
  sexo INTEGER DEFAULT 0,
  nac_dia INTEGER DEFAULT 0,
  nac_mes INTEGER DEFAULT 0,
  nac_ano INTEGER DEFAULT 0,
  nac_localidad INTEGER DEFAULT 0,
  nac_provincia INTEGER DEFAULT 0,
  nac_pais INTEGER DEFAULT 0,
  nacionalidad INTEGER DEFAULT 0,
  estado_civil INTEGER DEFAULT 0,
  tiene_hijos INTEGER DEFAULT 0,
  res_calle TEXT COLLATE TEXTO,
  res_barrio INTEGER DEFAULT 0,
  res_localidad INTEGER DEFAULT 0,
  res_provincia INTEGER DEFAULT 0,
  res_pais INTEGER DEFAULT 0,
  res_cp TEXT COLLATE TEXTO,
  email TEXT COLLATE TEXTO,
  tel1_tipo INTEGER DEFAULT 1,
  tel1_numero TEXT COLLATE TEXTO,
  tel1_desde TEXT COLLATE TEXTO DEFAULT '00:00',
  tel1_hasta TEXT COLLATE TEXTO DEFAULT '23:30',
  tel2_tipo INTEGER DEFAULT 1,
  tel2_numero TEXT COLLATE TEXTO,
  tel2_desde TEXT COLLATE TEXTO DEFAULT '00:00',
  tel2_hasta TEXT COLLATE TEXTO DEFAULT '23:30',
  tel3_tipo INTEGER DEFAULT 1,
  tel3_numero TEXT COLLATE TEXTO,
  tel3_desde TEXT COLLATE TEXTO DEFAULT '00:00',
  tel3_hasta TEXT COLLATE TEXTO DEFAULT '23:30',
  formsec_orientacion INTEGER DEFAULT 0,
  formsec_instituto TEXT COLLATE TEXTO,
  formsec_estado INTEGER DEFAULT 0,
  formsec_completos INTEGER DEFAULT 0,
  conocimientos TEXT COLLATE TEXTO,
  remun_mensual INTEGER DEFAULT 0,
  remun_hora REAL DEFAULT 0,
  moneda_mes INTEGER DEFAULT 0,
  moneda_hora INTEGER DEFAULT 0,
  obra_social INTEGER DEFAULT 0,
  tiques_almuerzo INTEGER DEFAULT 0,
  relacion_dependencia INTEGER DEFAULT 0,
  viajar INTEGER DEFAULT 0,
  emigrar INTEGER DEFAULT 0,
  disp_semanal INTEGER DEFAULT 0,
  disp_horaria INTEGER DEFAULT 0,
  estatura INTEGER DEFAULT 0,
  med_a INTEGER DEFAULT 0,
  med_b INTEGER DEFAULT 0,
  med_c INTEGER DEFAULT 0,
  presencia INTEGER DEFAULT 0,
  contextura INTEGER DEFAULT 0,
  observaciones TEXT COLLATE TEXTO,
  dato_a INTEGER DEFAULT 0,
  dato_b INTEGER DEFAULT 0,
  dato_c INTEGER DEFAULT 0,
  dato_d INTEGER DEFAULT 0,
  dato_e INTEGER DEFAULT 0,
  dato_f INTEGER DEFAULT 0,
  dato_g INTEGER DEFAULT 0,
  dato_h INTEGER DEFAULT 0,
  dato_i INTEGER DEFAULT 0,
  dato_j INTEGER DEFAULT 0,
  fecha_ingreso TEXT COLLATE TEXTO,
  actualizado TEXT COLLATE TEXTO,
  referencia TEXT COLLATE TEXTO,
  activo INTEGER DEFAULT 1
);
CREATE INDEX nvx_m_postulantes_dni ON nvx_m_postulantes (dni_pais, dni_numero);
CREATE INDEX nvx_m_postulantes_apellido ON nvx_m_postulantes (apellido, nombre);

CREATE TABLE nvx_d_familiares (
  postulante INTEGER NOT NULL,
  parentesco INTEGER DEFAULT 0,
  nombre TEXT COLLATE TEXTO,
  edad INTEGER DEFAULT 0,
  vive INTEGER DEFAULT 0,
  convive INTEGER DEFAULT 0,
  acargo INTEGER DEFAULT 0,
  ocupacion INTEGER DEFAULT 0,
  empresa INTEGER DEFAULT 0
);
CREATE INDEX nvx_d_familiares_postulante ON nvx_d_familiares (postulante);

CREATE TABLE nvx_d_formacion (
  postulante INTEGER NOT NULL,
  nivel INTEGER DEFAULT 0,
  area INTEGER DEFAULT 0,
  titulo INTEGER DEFAULT 0,
  institucion INTEGER DEFAULT 0,
  estado INTEGER DEFAULT 0,
  materias_aprobadas INTEGER DEFAULT 0,
  materias_restantes INTEGER DEFAULT 0,
  promedio REAL DEFAULT 0,
  ingreso INTEGER DEFAULT 0,
  ultimo INTEGER DEFAULT 0,
  completos INTEGER DEFAULT 0
);
CREATE INDEX nvx_d_formacion_postulante ON nvx_d_formacion (postulante);

CREATE TABLE nvx_d_idiomas (
  postulante INTEGER NOT NULL,
  idioma INTEGER DEFAULT 0,
  habla INTEGER DEFAULT 0,
  lee INTEGER DEFAULT 0,
  escribe INTEGER DEFAULT 0
);
-- Covering: a search on a language row reads the index alone.
CREATE INDEX nvx_d_idiomas_postulante ON nvx_d_idiomas (postulante, idioma, habla, lee, escribe);

CREATE TABLE nvx_d_experiencia (
  postulante INTEGER NOT NULL,
  area INTEGER DEFAULT 0,
  puesto INTEGER DEFAULT 0,
  empleador INTEGER DEFAULT 0,
  empleador_rubro INTEGER DEFAULT 0,
  actividades TEXT COLLATE TEXTO,
  ingreso_mes INTEGER DEFAULT 0,
  ingreso_ano INTEGER DEFAULT 0,
  egreso_mes INTEGER DEFAULT 0,
  egreso_ano INTEGER DEFAULT 0,
  empleo_actual INTEGER DEFAULT 0,
  gente_acargo INTEGER DEFAULT 0,
  motivo_egreso INTEGER DEFAULT 0,
  observaciones TEXT COLLATE TEXTO,
  remuneracion REAL
);
CREATE INDEX nvx_d_experiencia_postulante ON nvx_d_experiencia (postulante);

CREATE TABLE nvx_d_interes (
  postulante INTEGER NOT NULL,
  area INTEGER DEFAULT 0
);
CREATE INDEX nvx_d_interes_postulante ON nvx_d_interes (postulante, area);

CREATE TABLE nvx_d_fotos (
  postulante INTEGER NOT NULL,
  titulo TEXT COLLATE TEXTO,
  foto TEXT COLLATE TEXTO
);
CREATE INDEX nvx_d_fotos_postulante ON nvx_d_fotos (postulante);

-- Every word of each applicant (names, places, knowledge, remarks, studies, jobs,
-- languages, interests, CV documents), kept by the program on every change, for
-- the keyword search. Texts are written through candora_comprimir and read through
-- candora_descomprimir (a file keeps them compressed, a server as they are); on a
-- file store the FTS5 index below follows them.
CREATE TABLE candora_textos (
  postulante INTEGER NOT NULL PRIMARY KEY,
  texto TEXT
);
CREATE VIEW candora_textos_planos AS
  SELECT postulante, candora_descomprimir(texto) AS texto FROM candora_textos;
CREATE VIRTUAL TABLE candora_palabras USING fts5(texto, content = 'candora_textos_planos',
  content_rowid = 'postulante', tokenize = 'unicode61 remove_diacritics 2');
CREATE TRIGGER candora_textos_alta AFTER INSERT ON candora_textos
BEGIN
  INSERT INTO candora_palabras (rowid, texto) VALUES (NEW.postulante, candora_descomprimir(NEW.texto));
END;
CREATE TRIGGER candora_textos_baja AFTER DELETE ON candora_textos
BEGIN
  INSERT INTO candora_palabras (candora_palabras, rowid, texto) VALUES ('delete', OLD.postulante, candora_descomprimir(OLD.texto));
END;

-- What the duplicate rules read of each applicant, as keys (rule 1 e-mail, 2
-- telephone, 3 names and birth date, 4 document number), kept by the program on
-- every change: two applicants that share a key may be one person.
CREATE TABLE candora_claves (
  postulante INTEGER NOT NULL,
  regla INTEGER NOT NULL,
  clave TEXT NOT NULL
);
CREATE INDEX candora_claves_clave ON candora_claves (regla, clave);
CREATE INDEX candora_claves_postulante ON candora_claves (postulante);
-- Pairs of applicants a recruiter said are not the same person (a < b).
CREATE TABLE candora_no_duplicados (
  a INTEGER NOT NULL,
  b INTEGER NOT NULL,
  usuario TEXT COLLATE TEXTO,
  fecha TEXT,
  PRIMARY KEY (a, b)
);

-- Applicants merged into another: the one kept, the one deleted, both documents,
-- the deleted one's name, who and when.
CREATE TABLE candora_fusiones (
  conservado INTEGER NOT NULL,
  eliminado INTEGER NOT NULL,
  documento_conservado TEXT COLLATE TEXTO,
  documento_eliminado TEXT COLLATE TEXTO,
  nombre_eliminado TEXT COLLATE TEXTO,
  usuario TEXT COLLATE TEXTO,
  fecha TEXT
);
CREATE INDEX candora_fusiones_conservado ON candora_fusiones (conservado);

-- Who did what with each applicant's data, and when ("yyyyMMddHHmmss"); the
-- program only adds rows, and takes an applicant's away only when erasing them.
-- An erasure's entry keeps a keyed one-way hash of the document (huella).
CREATE TABLE candora_auditoria (
  momento TEXT NOT NULL,
  usuario TEXT COLLATE TEXTO,
  postulante INTEGER,
  accion TEXT NOT NULL,
  detalle TEXT COLLATE TEXTO,
  huella TEXT
);
CREATE INDEX candora_auditoria_postulante ON candora_auditoria (postulante, momento);
CREATE INDEX candora_auditoria_momento ON candora_auditoria (momento);
CREATE INDEX candora_auditoria_huella ON candora_auditoria (huella);

-- The office's settings kept with the data: how long applicants are kept, the
-- key of the documents' hashes.
CREATE TABLE candora_ajustes (
  clave TEXT NOT NULL PRIMARY KEY,
  valor TEXT
);

-- CV documents as the applicant sent them, with the text taken out of them.
CREATE TABLE nvx_d_documentos (
  id INTEGER NOT NULL PRIMARY KEY,
  postulante INTEGER NOT NULL,
  nombre TEXT COLLATE TEXTO NOT NULL,
  tipo TEXT,
  tamano INTEGER NOT NULL,
  sha256 TEXT NOT NULL,
  agregado TEXT,
  usuario TEXT COLLATE TEXTO,
  estado INTEGER NOT NULL DEFAULT 0,
  texto TEXT,
  contenido BLOB NOT NULL
);
CREATE UNIQUE INDEX nvx_d_documentos_postulante ON nvx_d_documentos (postulante, sha256);

-- The applicant's change time (yyyymmddhhnnss), kept by the store on every
-- change of its row or of its detail rows; never moved backwards, so a save
-- that sets a later time itself keeps it, and a row already stamped with the
-- current second is not written again.
CREATE TRIGGER nvx_m_postulantes_alta AFTER INSERT ON nvx_m_postulantes
WHEN NEW.actualizado IS NULL
BEGIN
  UPDATE nvx_m_postulantes SET actualizado = strftime('%Y%m%d%H%M%S', 'now', 'localtime') WHERE id = NEW.id;
END;
CREATE TRIGGER nvx_m_postulantes_cambio AFTER UPDATE ON nvx_m_postulantes
WHEN NEW.actualizado IS OLD.actualizado
BEGIN
  UPDATE nvx_m_postulantes
  SET actualizado = strftime('%Y%m%d%H%M%S', 'now', 'localtime')
  WHERE id = NEW.id AND coalesce(actualizado, '') < strftime('%Y%m%d%H%M%S', 'now', 'localtime');
END;
CREATE TRIGGER nvx_d_familiares_insert AFTER INSERT ON nvx_d_familiares
BEGIN
  UPDATE nvx_m_postulantes
  SET actualizado = strftime('%Y%m%d%H%M%S', 'now', 'localtime')
  WHERE id = NEW.postulante AND coalesce(actualizado, '') < strftime('%Y%m%d%H%M%S', 'now', 'localtime');
END;
CREATE TRIGGER nvx_d_familiares_delete AFTER DELETE ON nvx_d_familiares
BEGIN
  UPDATE nvx_m_postulantes
  SET actualizado = strftime('%Y%m%d%H%M%S', 'now', 'localtime')
  WHERE id = OLD.postulante AND coalesce(actualizado, '') < strftime('%Y%m%d%H%M%S', 'now', 'localtime');
END;
CREATE TRIGGER nvx_d_familiares_update AFTER UPDATE ON nvx_d_familiares
BEGIN
  UPDATE nvx_m_postulantes
  SET actualizado = strftime('%Y%m%d%H%M%S', 'now', 'localtime')
  WHERE id = NEW.postulante AND coalesce(actualizado, '') < strftime('%Y%m%d%H%M%S', 'now', 'localtime');
END;
CREATE TRIGGER nvx_d_formacion_insert AFTER INSERT ON nvx_d_formacion
BEGIN
  UPDATE nvx_m_postulantes
  SET actualizado = strftime('%Y%m%d%H%M%S', 'now', 'localtime')
  WHERE id = NEW.postulante AND coalesce(actualizado, '') < strftime('%Y%m%d%H%M%S', 'now', 'localtime');
END;
CREATE TRIGGER nvx_d_formacion_delete AFTER DELETE ON nvx_d_formacion
BEGIN
  UPDATE nvx_m_postulantes
  SET actualizado = strftime('%Y%m%d%H%M%S', 'now', 'localtime')
  WHERE id = OLD.postulante AND coalesce(actualizado, '') < strftime('%Y%m%d%H%M%S', 'now', 'localtime');
END;
CREATE TRIGGER nvx_d_formacion_update AFTER UPDATE ON nvx_d_formacion
BEGIN
  UPDATE nvx_m_postulantes
  SET actualizado = strftime('%Y%m%d%H%M%S', 'now', 'localtime')
  WHERE id = NEW.postulante AND coalesce(actualizado, '') < strftime('%Y%m%d%H%M%S', 'now', 'localtime');
END;
CREATE TRIGGER nvx_d_idiomas_insert AFTER INSERT ON nvx_d_idiomas
BEGIN
  UPDATE nvx_m_postulantes
  SET actualizado = strftime('%Y%m%d%H%M%S', 'now', 'localtime')
  WHERE id = NEW.postulante AND coalesce(actualizado, '') < strftime('%Y%m%d%H%M%S', 'now', 'localtime');
END;
CREATE TRIGGER nvx_d_idiomas_delete AFTER DELETE ON nvx_d_idiomas
BEGIN
  UPDATE nvx_m_postulantes
  SET actualizado = strftime('%Y%m%d%H%M%S', 'now', 'localtime')
  WHERE id = OLD.postulante AND coalesce(actualizado, '') < strftime('%Y%m%d%H%M%S', 'now', 'localtime');
END;
CREATE TRIGGER nvx_d_idiomas_update AFTER UPDATE ON nvx_d_idiomas
BEGIN
  UPDATE nvx_m_postulantes
  SET actualizado = strftime('%Y%m%d%H%M%S', 'now', 'localtime')
  WHERE id = NEW.postulante AND coalesce(actualizado, '') < strftime('%Y%m%d%H%M%S', 'now', 'localtime');
END;
CREATE TRIGGER nvx_d_experiencia_insert AFTER INSERT ON nvx_d_experiencia
BEGIN
  UPDATE nvx_m_postulantes
  SET actualizado = strftime('%Y%m%d%H%M%S', 'now', 'localtime')
  WHERE id = NEW.postulante AND coalesce(actualizado, '') < strftime('%Y%m%d%H%M%S', 'now', 'localtime');
END;
CREATE TRIGGER nvx_d_experiencia_delete AFTER DELETE ON nvx_d_experiencia
BEGIN
  UPDATE nvx_m_postulantes
  SET actualizado = strftime('%Y%m%d%H%M%S', 'now', 'localtime')
  WHERE id = OLD.postulante AND coalesce(actualizado, '') < strftime('%Y%m%d%H%M%S', 'now', 'localtime');
END;
CREATE TRIGGER nvx_d_experiencia_update AFTER UPDATE ON nvx_d_experiencia
BEGIN
  UPDATE nvx_m_postulantes
  SET actualizado = strftime('%Y%m%d%H%M%S', 'now', 'localtime')
  WHERE id = NEW.postulante AND coalesce(actualizado, '') < strftime('%Y%m%d%H%M%S', 'now', 'localtime');
END;
CREATE TRIGGER nvx_d_interes_insert AFTER INSERT ON nvx_d_interes
BEGIN
  UPDATE nvx_m_postulantes
  SET actualizado = strftime('%Y%m%d%H%M%S', 'now', 'localtime')
  WHERE id = NEW.postulante AND coalesce(actualizado, '') < strftime('%Y%m%d%H%M%S', 'now', 'localtime');
END;
CREATE TRIGGER nvx_d_interes_delete AFTER DELETE ON nvx_d_interes
BEGIN
  UPDATE nvx_m_postulantes
  SET actualizado = strftime('%Y%m%d%H%M%S', 'now', 'localtime')
  WHERE id = OLD.postulante AND coalesce(actualizado, '') < strftime('%Y%m%d%H%M%S', 'now', 'localtime');
END;
CREATE TRIGGER nvx_d_interes_update AFTER UPDATE ON nvx_d_interes
BEGIN
  UPDATE nvx_m_postulantes
  SET actualizado = strftime('%Y%m%d%H%M%S', 'now', 'localtime')
  WHERE id = NEW.postulante AND coalesce(actualizado, '') < strftime('%Y%m%d%H%M%S', 'now', 'localtime');
END;
CREATE TRIGGER nvx_d_fotos_insert AFTER INSERT ON nvx_d_fotos
BEGIN
  UPDATE nvx_m_postulantes
  SET actualizado = strftime('%Y%m%d%H%M%S', 'now', 'localtime')
  WHERE id = NEW.postulante AND coalesce(actualizado, '') < strftime('%Y%m%d%H%M%S', 'now', 'localtime');
END;
CREATE TRIGGER nvx_d_fotos_delete AFTER DELETE ON nvx_d_fotos
BEGIN
  UPDATE nvx_m_postulantes
  SET actualizado = strftime('%Y%m%d%H%M%S', 'now', 'localtime')
  WHERE id = OLD.postulante AND coalesce(actualizado, '') < strftime('%Y%m%d%H%M%S', 'now', 'localtime');
END;
CREATE TRIGGER nvx_d_fotos_update AFTER UPDATE ON nvx_d_fotos
BEGIN
  UPDATE nvx_m_postulantes
  SET actualizado = strftime('%Y%m%d%H%M%S', 'now', 'localtime')
  WHERE id = NEW.postulante AND coalesce(actualizado, '') < strftime('%Y%m%d%H%M%S', 'now', 'localtime');
END;
CREATE TRIGGER nvx_d_documentos_insert AFTER INSERT ON nvx_d_documentos
BEGIN
  UPDATE nvx_m_postulantes
  SET actualizado = strftime('%Y%m%d%H%M%S', 'now', 'localtime')
  WHERE id = NEW.postulante AND coalesce(actualizado, '') < strftime('%Y%m%d%H%M%S', 'now', 'localtime');
END;
CREATE TRIGGER nvx_d_documentos_delete AFTER DELETE ON nvx_d_documentos
BEGIN
  UPDATE nvx_m_postulantes
  SET actualizado = strftime('%Y%m%d%H%M%S', 'now', 'localtime')
  WHERE id = OLD.postulante AND coalesce(actualizado, '') < strftime('%Y%m%d%H%M%S', 'now', 'localtime');
END;

-- Lookup lists: all share one shape; nvx_m_monedas adds the currency symbol.
CREATE TABLE nvx_m_paises (id INTEGER PRIMARY KEY, nombre TEXT COLLATE TEXTO, orden INTEGER DEFAULT 0, disponible INTEGER DEFAULT 1, predeterminado INTEGER DEFAULT 0);
CREATE TABLE nvx_m_provincias (id INTEGER PRIMARY KEY, nombre TEXT COLLATE TEXTO, orden INTEGER DEFAULT 0, disponible INTEGER DEFAULT 1, predeterminado INTEGER DEFAULT 0);
CREATE TABLE nvx_m_localidades (id INTEGER PRIMARY KEY, nombre TEXT COLLATE TEXTO, orden INTEGER DEFAULT 0, disponible INTEGER DEFAULT 1, predeterminado INTEGER DEFAULT 0);
CREATE TABLE nvx_m_barrios (id INTEGER PRIMARY KEY, nombre TEXT COLLATE TEXTO, orden INTEGER DEFAULT 0, disponible INTEGER DEFAULT 1, predeterminado INTEGER DEFAULT 0);
CREATE TABLE nvx_m_sexos (id INTEGER PRIMARY KEY, nombre TEXT COLLATE TEXTO, orden INTEGER DEFAULT 0, disponible INTEGER DEFAULT 1, predeterminado INTEGER DEFAULT 0);
CREATE TABLE nvx_m_estados_civiles (id INTEGER PRIMARY KEY, nombre TEXT COLLATE TEXTO, orden INTEGER DEFAULT 0, disponible INTEGER DEFAULT 1, predeterminado INTEGER DEFAULT 0);
CREATE TABLE nvx_m_tipos_telefono (id INTEGER PRIMARY KEY, nombre TEXT COLLATE TEXTO, orden INTEGER DEFAULT 0, disponible INTEGER DEFAULT 1, predeterminado INTEGER DEFAULT 0);
CREATE TABLE nvx_m_parentescos (id INTEGER PRIMARY KEY, nombre TEXT COLLATE TEXTO, orden INTEGER DEFAULT 0, disponible INTEGER DEFAULT 1, predeterminado INTEGER DEFAULT 0);
CREATE TABLE nvx_m_ocupaciones (id INTEGER PRIMARY KEY, nombre TEXT COLLATE TEXTO, orden INTEGER DEFAULT 0, disponible INTEGER DEFAULT 1, predeterminado INTEGER DEFAULT 0);
CREATE TABLE nvx_m_empleadores (id INTEGER PRIMARY KEY, nombre TEXT COLLATE TEXTO, orden INTEGER DEFAULT 0, disponible INTEGER DEFAULT 1, predeterminado INTEGER DEFAULT 0);
CREATE TABLE nvx_m_empleadores_rubros (id INTEGER PRIMARY KEY, nombre TEXT COLLATE TEXTO, orden INTEGER DEFAULT 0, disponible INTEGER DEFAULT 1, predeterminado INTEGER DEFAULT 0);
CREATE TABLE nvx_m_experiencia_areas (id INTEGER PRIMARY KEY, nombre TEXT COLLATE TEXTO, orden INTEGER DEFAULT 0, disponible INTEGER DEFAULT 1, predeterminado INTEGER DEFAULT 0);
CREATE TABLE nvx_m_experiencia_puestos (id INTEGER PRIMARY KEY, nombre TEXT COLLATE TEXTO, orden INTEGER DEFAULT 0, disponible INTEGER DEFAULT 1, predeterminado INTEGER DEFAULT 0);
CREATE TABLE nvx_m_motivos_egreso (id INTEGER PRIMARY KEY, nombre TEXT COLLATE TEXTO, orden INTEGER DEFAULT 0, disponible INTEGER DEFAULT 1, predeterminado INTEGER DEFAULT 0);
CREATE TABLE nvx_m_formacion_tipos (id INTEGER PRIMARY KEY, nombre TEXT COLLATE TEXTO, orden INTEGER DEFAULT 0, disponible INTEGER DEFAULT 1, predeterminado INTEGER DEFAULT 0);
CREATE TABLE nvx_m_formacion_areas (id INTEGER PRIMARY KEY, nombre TEXT COLLATE TEXTO, orden INTEGER DEFAULT 0, disponible INTEGER DEFAULT 1, predeterminado INTEGER DEFAULT 0);
CREATE TABLE nvx_m_formacion_estados (id INTEGER PRIMARY KEY, nombre TEXT COLLATE TEXTO, orden INTEGER DEFAULT 0, disponible INTEGER DEFAULT 1, predeterminado INTEGER DEFAULT 0);
CREATE TABLE nvx_m_formacion_institutos (id INTEGER PRIMARY KEY, nombre TEXT COLLATE TEXTO, orden INTEGER DEFAULT 0, disponible INTEGER DEFAULT 1, predeterminado INTEGER DEFAULT 0);
CREATE TABLE nvx_m_titulos (id INTEGER PRIMARY KEY, nombre TEXT COLLATE TEXTO, orden INTEGER DEFAULT 0, disponible INTEGER DEFAULT 1, predeterminado INTEGER DEFAULT 0);
CREATE TABLE nvx_m_formsec_areas (id INTEGER PRIMARY KEY, nombre TEXT COLLATE TEXTO, orden INTEGER DEFAULT 0, disponible INTEGER DEFAULT 1, predeterminado INTEGER DEFAULT 0);
CREATE TABLE nvx_m_idiomas (id INTEGER PRIMARY KEY, nombre TEXT COLLATE TEXTO, orden INTEGER DEFAULT 0, disponible INTEGER DEFAULT 1, predeterminado INTEGER DEFAULT 0);
CREATE TABLE nvx_m_idiomas_niveles (id INTEGER PRIMARY KEY, nombre TEXT COLLATE TEXTO, orden INTEGER DEFAULT 0, disponible INTEGER DEFAULT 1, predeterminado INTEGER DEFAULT 0);
CREATE TABLE nvx_m_monedas (id INTEGER PRIMARY KEY, nombre TEXT COLLATE TEXTO, orden INTEGER DEFAULT 0, disponible INTEGER DEFAULT 1, predeterminado INTEGER DEFAULT 0, simbolo TEXT COLLATE TEXTO);
CREATE TABLE nvx_m_disponibilidad_semanal (id INTEGER PRIMARY KEY, nombre TEXT COLLATE TEXTO, orden INTEGER DEFAULT 0, disponible INTEGER DEFAULT 1, predeterminado INTEGER DEFAULT 0);
CREATE TABLE nvx_m_disponibilidad_horaria (id INTEGER PRIMARY KEY, nombre TEXT COLLATE TEXTO, orden INTEGER DEFAULT 0, disponible INTEGER DEFAULT 1, predeterminado INTEGER DEFAULT 0);
CREATE TABLE nvx_m_presencias (id INTEGER PRIMARY KEY, nombre TEXT COLLATE TEXTO, orden INTEGER DEFAULT 0, disponible INTEGER DEFAULT 1, predeterminado INTEGER DEFAULT 0);
CREATE TABLE nvx_m_contexturas (id INTEGER PRIMARY KEY, nombre TEXT COLLATE TEXTO, orden INTEGER DEFAULT 0, disponible INTEGER DEFAULT 1, predeterminado INTEGER DEFAULT 0);
CREATE TABLE nvx_m_datos_a (id INTEGER PRIMARY KEY, nombre TEXT COLLATE TEXTO, orden INTEGER DEFAULT 0, disponible INTEGER DEFAULT 1, predeterminado INTEGER DEFAULT 0);
CREATE TABLE nvx_m_datos_b (id INTEGER PRIMARY KEY, nombre TEXT COLLATE TEXTO, orden INTEGER DEFAULT 0, disponible INTEGER DEFAULT 1, predeterminado INTEGER DEFAULT 0);
CREATE TABLE nvx_m_datos_c (id INTEGER PRIMARY KEY, nombre TEXT COLLATE TEXTO, orden INTEGER DEFAULT 0, disponible INTEGER DEFAULT 1, predeterminado INTEGER DEFAULT 0);
CREATE TABLE nvx_m_datos_d (id INTEGER PRIMARY KEY, nombre TEXT COLLATE TEXTO, orden INTEGER DEFAULT 0, disponible INTEGER DEFAULT 1, predeterminado INTEGER DEFAULT 0);
CREATE TABLE nvx_m_datos_e (id INTEGER PRIMARY KEY, nombre TEXT COLLATE TEXTO, orden INTEGER DEFAULT 0, disponible INTEGER DEFAULT 1, predeterminado INTEGER DEFAULT 0);
CREATE TABLE nvx_m_datos_f (id INTEGER PRIMARY KEY, nombre TEXT COLLATE TEXTO, orden INTEGER DEFAULT 0, disponible INTEGER DEFAULT 1, predeterminado INTEGER DEFAULT 0);
CREATE TABLE nvx_m_datos_g (id INTEGER PRIMARY KEY, nombre TEXT COLLATE TEXTO, orden INTEGER DEFAULT 0, disponible INTEGER DEFAULT 1, predeterminado INTEGER DEFAULT 0);
CREATE TABLE nvx_m_datos_h (id INTEGER PRIMARY KEY, nombre TEXT COLLATE TEXTO, orden INTEGER DEFAULT 0, disponible INTEGER DEFAULT 1, predeterminado INTEGER DEFAULT 0);
CREATE TABLE nvx_m_datos_i (id INTEGER PRIMARY KEY, nombre TEXT COLLATE TEXTO, orden INTEGER DEFAULT 0, disponible INTEGER DEFAULT 1, predeterminado INTEGER DEFAULT 0);
CREATE TABLE nvx_m_datos_j (id INTEGER PRIMARY KEY, nombre TEXT COLLATE TEXTO, orden INTEGER DEFAULT 0, disponible INTEGER DEFAULT 1, predeterminado INTEGER DEFAULT 0);
CREATE INDEX nvx_m_paises_nombre ON nvx_m_paises (nombre);
CREATE INDEX nvx_m_provincias_nombre ON nvx_m_provincias (nombre);
CREATE INDEX nvx_m_localidades_nombre ON nvx_m_localidades (nombre);
CREATE INDEX nvx_m_barrios_nombre ON nvx_m_barrios (nombre);
CREATE INDEX nvx_m_sexos_nombre ON nvx_m_sexos (nombre);
CREATE INDEX nvx_m_estados_civiles_nombre ON nvx_m_estados_civiles (nombre);
CREATE INDEX nvx_m_tipos_telefono_nombre ON nvx_m_tipos_telefono (nombre);
CREATE INDEX nvx_m_parentescos_nombre ON nvx_m_parentescos (nombre);
CREATE INDEX nvx_m_ocupaciones_nombre ON nvx_m_ocupaciones (nombre);
CREATE INDEX nvx_m_empleadores_nombre ON nvx_m_empleadores (nombre);
CREATE INDEX nvx_m_empleadores_rubros_nombre ON nvx_m_empleadores_rubros (nombre);
CREATE INDEX nvx_m_experiencia_areas_nombre ON nvx_m_experiencia_areas (nombre);
CREATE INDEX nvx_m_experiencia_puestos_nombre ON nvx_m_experiencia_puestos (nombre);
CREATE INDEX nvx_m_motivos_egreso_nombre ON nvx_m_motivos_egreso (nombre);
CREATE INDEX nvx_m_formacion_tipos_nombre ON nvx_m_formacion_tipos (nombre);
CREATE INDEX nvx_m_formacion_areas_nombre ON nvx_m_formacion_areas (nombre);
CREATE INDEX nvx_m_formacion_estados_nombre ON nvx_m_formacion_estados (nombre);
CREATE INDEX nvx_m_formacion_institutos_nombre ON nvx_m_formacion_institutos (nombre);
CREATE INDEX nvx_m_titulos_nombre ON nvx_m_titulos (nombre);
CREATE INDEX nvx_m_formsec_areas_nombre ON nvx_m_formsec_areas (nombre);
CREATE INDEX nvx_m_idiomas_nombre ON nvx_m_idiomas (nombre);
CREATE INDEX nvx_m_idiomas_niveles_nombre ON nvx_m_idiomas_niveles (nombre);
CREATE INDEX nvx_m_monedas_nombre ON nvx_m_monedas (nombre);
CREATE INDEX nvx_m_disponibilidad_semanal_nombre ON nvx_m_disponibilidad_semanal (nombre);
CREATE INDEX nvx_m_disponibilidad_horaria_nombre ON nvx_m_disponibilidad_horaria (nombre);
CREATE INDEX nvx_m_presencias_nombre ON nvx_m_presencias (nombre);
CREATE INDEX nvx_m_contexturas_nombre ON nvx_m_contexturas (nombre);
CREATE INDEX nvx_m_datos_a_nombre ON nvx_m_datos_a (nombre);
CREATE INDEX nvx_m_datos_b_nombre ON nvx_m_datos_b (nombre);
CREATE INDEX nvx_m_datos_c_nombre ON nvx_m_datos_c (nombre);
CREATE INDEX nvx_m_datos_d_nombre ON nvx_m_datos_d (nombre);
CREATE INDEX nvx_m_datos_e_nombre ON nvx_m_datos_e (nombre);
CREATE INDEX nvx_m_datos_f_nombre ON nvx_m_datos_f (nombre);
CREATE INDEX nvx_m_datos_g_nombre ON nvx_m_datos_g (nombre);
CREATE INDEX nvx_m_datos_h_nombre ON nvx_m_datos_h (nombre);
CREATE INDEX nvx_m_datos_i_nombre ON nvx_m_datos_i (nombre);
CREATE INDEX nvx_m_datos_j_nombre ON nvx_m_datos_j (nombre);

-- Key counters: one row per table that receives keys from the program.
CREATE TABLE nvx_m_ids (
  tabla TEXT COLLATE TEXTO PRIMARY KEY,
  ultimo_id INTEGER NOT NULL DEFAULT 0
);

-- Searchable and showable columns of the applicant tables.
CREATE TABLE nvx_diccionario (
  id INTEGER PRIMARY KEY,
  tabla TEXT COLLATE TEXTO,
  Nombre_Columna TEXT COLLATE TEXTO,
  Tipo TEXT COLLATE TEXTO,
  Relacion_Tabla TEXT COLLATE TEXTO,
  Relacion_Clave TEXT COLLATE TEXTO,
  Relacion_Retorno TEXT COLLATE TEXTO,
  orden INTEGER DEFAULT 0,
  Dato TEXT COLLATE TEXTO,
  lng INTEGER DEFAULT 0,
  lng2 INTEGER DEFAULT 0,
  Nombre_Largo TEXT COLLATE TEXTO,
  buscable INTEGER DEFAULT 1,
  largo INTEGER DEFAULT 0
);
CREATE INDEX nvx_diccionario_columna ON nvx_diccionario (tabla, Nombre_Columna);

-- Saved search definitions and their conditions.
CREATE TABLE nvx_m_busquedas (
  id INTEGER PRIMARY KEY,
  nombre TEXT COLLATE TEXTO,
  notas TEXT COLLATE TEXTO,
  publica INTEGER DEFAULT 0,
  usuario TEXT COLLATE TEXTO,
  alta TEXT COLLATE TEXTO
);
CREATE TABLE nvx_d_busquedas (
  id INTEGER NOT NULL,
  grupo INTEGER DEFAULT 0,
  idcolumna INTEGER DEFAULT 0,
  idvalor INTEGER DEFAULT 0,
  operador INTEGER DEFAULT 0,
  tipodato TEXT COLLATE TEXTO,
  valor TEXT COLLATE TEXTO
);
CREATE INDEX nvx_d_busquedas_id ON nvx_d_busquedas (id);
