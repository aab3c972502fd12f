-- Data dictionary: one row per column of the applicant table and its detail
-- tables, and "palabras_clave", the keyword search over all of them. lng and
-- lng2 are numbers of the program's string table (0: the long name is used).

-- nvx_m_postulantes
INSERT INTO nvx_diccionario (id, tabla, Nombre_Columna, Tipo, Relacion_Tabla, Relacion_Clave, Relacion_Retorno, orden, Dato, lng, lng2, Nombre_Largo, buscable, largo) VALUES
  (1, 'nvx_m_postulantes', 'id', 'CO', NULL, NULL, NULL, 1, 'id', 786, 0, 'ID interno', 0, 0),
  (119, 'nvx_m_postulantes', 'palabras_clave', 'P', NULL, NULL, NULL, 0, 'palabras_clave', 0, 0, 'Palabras clave', 1, 0),
  (2, 'nvx_m_postulantes', 'dni_pais', 'L', 'nvx_m_paises', 'id', 'nombre', 2, 'dni_pais', 721, 722, 'País del documento', 1, 0),
  (3, 'nvx_m_postulantes', 'dni_numero', 'T', NULL, NULL, NULL, 3, 'dni_numero', 721, 743, 'Número de documento', 1, 20),
  (4, 'nvx_m_postulantes', 'nombre', 'T', NULL, NULL, NULL, 4, 'nombre', 724, 0, 'Nombre', 1, 50),
  (5, 'nvx_m_postulantes', 'apellido', 'T', NULL, NULL, NULL, 5, 'apellido', 723, 0, 'Apellido', 1, 50),
  (6, 'nvx_m_postulantes', 'apellido_materno', 'T', NULL, NULL, NULL, 6, 'apellido_materno', 725, 0, 'Apellido materno', 1, 50),
  (7, 'nvx_m_postulantes', 'sexo', 'L', 'nvx_m_sexos', 'id', 'nombre', 7, 'sexo', 726, 0, 'Sexo', 1, 0),
  (8, 'nvx_m_postulantes', 'nac_dia', 'ND', NULL, NULL, NULL, 8, 'nac_dia', 788, 789, 'Día de nacimiento', 1, 2),
  (9, 'nvx_m_postulantes', 'nac_mes', 'ND', NULL, NULL, NULL, 9, 'nac_mes', 788, 790, 'Mes de nacimiento', 1, 2),
  (10, 'nvx_m_postulantes', 'nac_ano', 'ND', NULL, NULL, NULL, 10, 'nac_ano', 788, 791, 'Año de nacimiento', 1, 4),
  (11, 'nvx_m_postulantes', 'nac_localidad', 'L', 'nvx_m_localidades', 'id', 'nombre', 11, 'nac_localidad', 788, 734, 'Localidad de nacimiento', 1, 0),
  (12, 'nvx_m_postulantes', 'nac_provincia', 'L', 'nvx_m_provincias', 'id', 'nombre', 12, 'nac_provincia', 788, 735, 'Provincia de nacimiento', 1, 0),
  (13, 'nvx_m_postulantes', 'nac_pais', 'L', 'nvx_m_paises', 'id', 'nombre', 13, 'nac_pais', 788, 722, 'País de nacimiento', 1, 0),
  (14, 'nvx_m_postulantes', 'nacionalidad', 'L', 'nvx_m_paises', 'id', 'nombre', 14, 'nacionalidad', 736, 0, 'Nacionalidad', 1, 0),
  (15, 'nvx_m_postulantes', 'estado_civil', 'L', 'nvx_m_estados_civiles', 'id', 'nombre', 15, 'estado_civil', 727, 0, 'Estado civil', 1, 0),
  (16, 'nvx_m_postulantes', 'tiene_hijos', 'N', NULL, NULL, NULL, 16, 'tiene_hijos', 728, 0, 'Tiene hijos', 1, 1),
  (17, 'nvx_m_postulantes', 'res_calle', 'T', NULL, NULL, NULL, 17, 'res_calle', 737, 738, 'Calle, número y piso de residencia', 1, 100),
  (18, 'nvx_m_postulantes', 'res_barrio', 'L', 'nvx_m_barrios', 'id', 'nombre', 18, 'res_barrio', 737, 739, 'Barrio de residencia', 1, 0),
  (19, 'nvx_m_postulantes', 'res_localidad', 'L', 'nvx_m_localidades', 'id', 'nombre', 19, 'res_localidad', 737, 734, 'Localidad de residencia', 1, 0),
  (20, 'nvx_m_postulantes', 'res_provincia', 'L', 'nvx_m_provincias', 'id', 'nombre', 20, 'res_provincia', 737, 735, 'Provincia de residencia', 1, 0),
  (21, 'nvx_m_postulantes', 'res_pais', 'L', 'nvx_m_paises', 'id', 'nombre', 21, 'res_pais', 737, 722, 'País de residencia', 1, 0),
  (22, 'nvx_m_postulantes', 'res_cp', 'T', NULL, NULL, NULL, 22, 'res_cp', 737, 740, 'Código postal de residencia', 1, 10),
  (23, 'nvx_m_postulantes', 'email', 'T', NULL, NULL, NULL, 23, 'email', 746, 0, 'Dirección de correo electrónico', 1, 100),
  (24, 'nvx_m_postulantes', 'tel1_tipo', 'L', 'nvx_m_tipos_telefono', 'id', 'nombre', 24, 'tel1_tipo', 792, 742, 'Tipo del teléfono 1', 1, 0),
  (25, 'nvx_m_postulantes', 'tel1_numero', 'T', NULL, NULL, NULL, 25, 'tel1_numero', 792, 743, 'Número del teléfono 1', 1, 30),
  (26, 'nvx_m_postulantes', 'tel1_desde', 'T', NULL, NULL, NULL, 26, 'tel1_desde', 792, 744, 'Teléfono 1: ubicable desde', 1, 5),
  (27, 'nvx_m_postulantes', 'tel1_hasta', 'T', NULL, NULL, NULL, 27, 'tel1_hasta', 792, 745, 'Teléfono 1: ubicable hasta', 1, 5),
  (28, 'nvx_m_postulantes', 'tel2_tipo', 'L', 'nvx_m_tipos_telefono', 'id', 'nombre', 28, 'tel2_tipo', 793, 742, 'Tipo del teléfono 2', 1, 0),
  (29, 'nvx_m_postulantes', 'tel2_numero', 'T', NULL, NULL, NULL, 29, 'tel2_numero', 793, 743, 'Número del teléfono 2', 1, 30),
  (30, 'nvx_m_postulantes', 'tel2_desde', 'T', NULL, NULL, NULL, 30, 'tel2_desde', 793, 744, 'Teléfono 2: ubicable desde', 1, 5),
  (31, 'nvx_m_postulantes', 'tel2_hasta', 'T', NULL, NULL, NULL, 31, 'tel2_hasta', 793, 745, 'Teléfono 2: ubicable hasta', 1, 5),
  (32, 'nvx_m_postulantes', 'tel3_tipo', 'L', 'nvx_m_tipos_telefono', 'id', 'nombre', 32, 'tel3_tipo', 794, 742, 'Tipo del teléfono 3', 1, 0),
  (33, 'nvx_m_postulantes', 'tel3_numero', 'T', NULL, NULL, NULL, 33, 'tel3_numero', 794, 743, 'Número del teléfono 3', 1, 30),
  (34, 'nvx_m_postulantes', 'tel3_desde', 'T', NULL, NULL, NULL, 34, 'tel3_desde', 794, 744, 'Teléfono 3: ubicable desde', 1, 5),
  (35, 'nvx_m_postulantes', 'tel3_hasta', 'T', NULL, NULL, NULL, 35, 'tel3_hasta', 794, 745, 'Teléfono 3: ubicable hasta', 1, 5),
  (36, 'nvx_m_postulantes', 'formsec_orientacion', 'L', 'nvx_m_formsec_areas', 'id', 'nombre', 36, 'formsec_orientacion', 747, 795, 'Orientación de la formación secundaria', 1, 0),
  (37, 'nvx_m_postulantes', 'formsec_instituto', 'T', NULL, NULL, NULL, 37, 'formsec_instituto', 747, 748, 'Instituto de la formación secundaria', 1, 100),
  (38, 'nvx_m_postulantes', 'formsec_estado', 'L', 'nvx_m_formacion_estados', 'id', 'nombre', 38, 'formsec_estado', 747, 750, 'Estado de la formación secundaria', 1, 0),
  (39, 'nvx_m_postulantes', 'formsec_completos', 'N', NULL, NULL, NULL, 39, 'formsec_completos', 747, 751, 'Años completados de la formación secundaria', 1, 2),
  (40, 'nvx_m_postulantes', 'conocimientos', 'T', NULL, NULL, NULL, 40, 'conocimientos', 754, 0, 'Conocimientos específicos', 1, 0),
  (41, 'nvx_m_postulantes', 'remun_mensual', 'N', NULL, NULL, NULL, 41, 'remun_mensual', 757, 0, 'Sueldo neto mensual pretendido', 1, 9),
  (42, 'nvx_m_postulantes', 'remun_hora', 'N', NULL, NULL, NULL, 42, 'remun_hora', 758, 0, 'Sueldo pretendido por hora', 1, 9),
  (43, 'nvx_m_postulantes', 'moneda_mes', 'L', 'nvx_m_monedas', 'id', 'nombre', 43, 'moneda_mes', 757, 796, 'Moneda del sueldo mensual', 1, 0),
  (44, 'nvx_m_postulantes', 'moneda_hora', 'L', 'nvx_m_monedas', 'id', 'nombre', 44, 'moneda_hora', 758, 796, 'Moneda del sueldo por hora', 1, 0),
  (45, 'nvx_m_postulantes', 'obra_social', 'N', NULL, NULL, NULL, 45, 'obra_social', 761, 0, 'Sólo con obra social', 1, 1),
  (46, 'nvx_m_postulantes', 'tiques_almuerzo', 'N', NULL, NULL, NULL, 46, 'tiques_almuerzo', 762, 0, 'Sólo con vales para almuerzo o mercado', 1, 1),
  (47, 'nvx_m_postulantes', 'relacion_dependencia', 'N', NULL, NULL, NULL, 47, 'relacion_dependencia', 763, 0, 'Sólo en relación de dependencia', 1, 1),
  (48, 'nvx_m_postulantes', 'viajar', 'N', NULL, NULL, NULL, 48, 'viajar', 764, 0, 'Disponibilidad para viajar', 1, 1),
  (49, 'nvx_m_postulantes', 'emigrar', 'N', NULL, NULL, NULL, 49, 'emigrar', 765, 0, 'Disponibilidad para radicarse en otra ciudad', 1, 1),
  (50, 'nvx_m_postulantes', 'disp_semanal', 'L', 'nvx_m_disponibilidad_semanal', 'id', 'nombre', 50, 'disp_semanal', 759, 0, 'Disponibilidad de días', 1, 0),
  (51, 'nvx_m_postulantes', 'disp_horaria', 'L', 'nvx_m_disponibilidad_horaria', 'id', 'nombre', 51, 'disp_horaria', 760, 0, 'Disponibilidad de horas', 1, 0),
  (52, 'nvx_m_postulantes', 'estatura', 'N', NULL, NULL, NULL, 52, 'estatura', 767, 0, 'Estatura en centímetros', 1, 3),
  (53, 'nvx_m_postulantes', 'med_a', 'N', NULL, NULL, NULL, 53, 'med_a', 797, 0, 'Medida A', 1, 3),
  (54, 'nvx_m_postulantes', 'med_b', 'N', NULL, NULL, NULL, 54, 'med_b', 798, 0, 'Medida B', 1, 3),
  (55, 'nvx_m_postulantes', 'med_c', 'N', NULL, NULL, NULL, 55, 'med_c', 799, 0, 'Medida C', 1, 3),
  (56, 'nvx_m_postulantes', 'presencia', 'L', 'nvx_m_presencias', 'id', 'nombre', 56, 'presencia', 769, 0, 'Presencia', 1, 0),
  (57, 'nvx_m_postulantes', 'contextura', 'L', 'nvx_m_contexturas', 'id', 'nombre', 57, 'contextura', 770, 0, 'Contextura', 1, 0),
  (58, 'nvx_m_postulantes', 'observaciones', 'T', NULL, NULL, NULL, 58, 'observaciones', 716, 0, 'Observaciones', 1, 0),
  (59, 'nvx_m_postulantes', 'dato_a', 'L', 'nvx_m_datos_a', 'id', 'nombre', 59, 'dato_a', 772, 0, 'Dato especial A', 1, 0),
  (60, 'nvx_m_postulantes', 'dato_b', 'L', 'nvx_m_datos_b', 'id', 'nombre', 60, 'dato_b', 773, 0, 'Dato especial B', 1, 0),
  (61, 'nvx_m_postulantes', 'dato_c', 'L', 'nvx_m_datos_c', 'id', 'nombre', 61, 'dato_c', 774, 0, 'Dato especial C', 1, 0),
  (62, 'nvx_m_postulantes', 'dato_d', 'L', 'nvx_m_datos_d', 'id', 'nombre', 62, 'dato_d', 775, 0, 'Dato especial D', 1, 0),
  (63, 'nvx_m_postulantes', 'dato_e', 'L', 'nvx_m_datos_e', 'id', 'nombre', 63, 'dato_e', 776, 0, 'Dato especial E', 1, 0),
  (64, 'nvx_m_postulantes', 'dato_f', 'L', 'nvx_m_datos_f', 'id', 'nombre', 64, 'dato_f', 777, 0, 'Dato especial F', 1, 0),
  (65, 'nvx_m_postulantes', 'dato_g', 'L', 'nvx_m_datos_g', 'id', 'nombre', 65, 'dato_g', 778, 0, 'Dato especial G', 1, 0),
  (66, 'nvx_m_postulantes', 'dato_h', 'L', 'nvx_m_datos_h', 'id', 'nombre', 66, 'dato_h', 779, 0, 'Dato especial H', 1, 0),
  (67, 'nvx_m_postulantes', 'dato_i', 'L', 'nvx_m_datos_i', 'id', 'nombre', 67, 'dato_i', 780, 0, 'Dato especial I', 1, 0),
  (68, 'nvx_m_postulantes', 'dato_j', 'L', 'nvx_m_datos_j', 'id', 'nombre', 68, 'dato_j', 781, 0, 'Dato especial J', 1, 0),
  (69, 'nvx_m_postulantes', 'fecha_ingreso', 'T', NULL, NULL, NULL, 69, 'fecha_ingreso', 783, 0, 'Fecha de ingreso', 1, 14),
  (70, 'nvx_m_postulantes', 'actualizado', 'T', NULL, NULL, NULL, 70, 'actualizado', 784, 0, 'Fecha de la última actualización', 1, 14),
  (71, 'nvx_m_postulantes', 'referencia', 'T', NULL, NULL, NULL, 71, 'referencia', 785, 0, 'Referencia de búsqueda', 1, 50),
  (72, 'nvx_m_postulantes', 'activo', 'N', NULL, NULL, NULL, 72, 'activo', 787, 0, 'Disponible para búsquedas', 0, 1);

-- nvx_d_familiares
INSERT INTO nvx_diccionario (id, tabla, Nombre_Columna, Tipo, Relacion_Tabla, Relacion_Clave, Relacion_Retorno, orden, Dato, lng, lng2, Nombre_Largo, buscable, largo) VALUES
  (73, 'nvx_d_familiares', 'postulante', 'CO', NULL, NULL, NULL, 1, 'postulante', 910, 0, 'Postulante', 0, 0),
  (74, 'nvx_d_familiares', 'parentesco', 'L', 'nvx_m_parentescos', 'id', 'nombre', 2, 'parentesco', 902, 0, 'Parentesco', 0, 0),
  (75, 'nvx_d_familiares', 'nombre', 'T', NULL, NULL, NULL, 3, 'nombre', 903, 0, 'Nombre del familiar', 0, 50),
  (76, 'nvx_d_familiares', 'edad', 'N', NULL, NULL, NULL, 4, 'edad', 904, 0, 'Edad del familiar', 0, 3),
  (77, 'nvx_d_familiares', 'vive', 'N', NULL, NULL, NULL, 5, 'vive', 907, 0, 'El familiar vive', 0, 1),
  (78, 'nvx_d_familiares', 'convive', 'N', NULL, NULL, NULL, 6, 'convive', 908, 0, 'Convive con el postulante', 0, 1),
  (79, 'nvx_d_familiares', 'acargo', 'N', NULL, NULL, NULL, 7, 'acargo', 909, 0, 'Familiar a cargo', 0, 1),
  (80, 'nvx_d_familiares', 'ocupacion', 'L', 'nvx_m_ocupaciones', 'id', 'nombre', 8, 'ocupacion', 905, 0, 'Ocupación del familiar', 0, 0),
  (81, 'nvx_d_familiares', 'empresa', 'L', 'nvx_m_empleadores', 'id', 'nombre', 9, 'empresa', 906, 0, 'Empresa del familiar', 0, 0);

-- nvx_d_formacion
INSERT INTO nvx_diccionario (id, tabla, Nombre_Columna, Tipo, Relacion_Tabla, Relacion_Clave, Relacion_Retorno, orden, Dato, lng, lng2, Nombre_Largo, buscable, largo) VALUES
  (82, 'nvx_d_formacion', 'postulante', 'CO', NULL, NULL, NULL, 1, 'postulante', 1013, 0, 'Postulante', 0, 0),
  (83, 'nvx_d_formacion', 'nivel', 'L', 'nvx_m_formacion_tipos', 'id', 'nombre', 2, 'nivel', 1002, 0, 'Tipo de formación', 1, 0),
  (84, 'nvx_d_formacion', 'area', 'L', 'nvx_m_formacion_areas', 'id', 'nombre', 3, 'area', 1003, 0, 'Área de la formación', 1, 0),
  (85, 'nvx_d_formacion', 'titulo', 'L', 'nvx_m_titulos', 'id', 'nombre', 4, 'titulo', 1004, 0, 'Título', 1, 0),
  (86, 'nvx_d_formacion', 'institucion', 'L', 'nvx_m_formacion_institutos', 'id', 'nombre', 5, 'institucion', 1005, 0, 'Instituto', 1, 0),
  (87, 'nvx_d_formacion', 'estado', 'L', 'nvx_m_formacion_estados', 'id', 'nombre', 6, 'estado', 1006, 0, 'Estado de la formación', 1, 0),
  (88, 'nvx_d_formacion', 'materias_aprobadas', 'N', NULL, NULL, NULL, 7, 'materias_aprobadas', 1007, 0, 'Materias aprobadas', 1, 3),
  (89, 'nvx_d_formacion', 'materias_restantes', 'N', NULL, NULL, NULL, 8, 'materias_restantes', 1008, 0, 'Materias restantes', 1, 3),
  (90, 'nvx_d_formacion', 'promedio', 'N', NULL, NULL, NULL, 9, 'promedio', 1011, 0, 'Promedio', 1, 5),
  (91, 'nvx_d_formacion', 'ingreso', 'ND', NULL, NULL, NULL, 10, 'ingreso', 1009, 0, 'Año de ingreso', 1, 4),
  (92, 'nvx_d_formacion', 'ultimo', 'ND', NULL, NULL, NULL, 11, 'ultimo', 1010, 0, 'Último año cursado', 1, 4),
  (93, 'nvx_d_formacion', 'completos', 'N', NULL, NULL, NULL, 12, 'completos', 1012, 0, 'Años completados', 1, 2);

-- nvx_d_idiomas
INSERT INTO nvx_diccionario (id, tabla, Nombre_Columna, Tipo, Relacion_Tabla, Relacion_Clave, Relacion_Retorno, orden, Dato, lng, lng2, Nombre_Largo, buscable, largo) VALUES
  (94, 'nvx_d_idiomas', 'postulante', 'CO', NULL, NULL, NULL, 1, 'postulante', 1106, 0, 'Postulante', 0, 0),
  (95, 'nvx_d_idiomas', 'idioma', 'L', 'nvx_m_idiomas', 'id', 'nombre', 2, 'idioma', 1102, 0, 'Idioma', 1, 0),
  (96, 'nvx_d_idiomas', 'habla', 'L', 'nvx_m_idiomas_niveles', 'id', 'nombre', 3, 'habla', 1104, 0, 'Nivel con que lo habla', 1, 0),
  (97, 'nvx_d_idiomas', 'lee', 'L', 'nvx_m_idiomas_niveles', 'id', 'nombre', 4, 'lee', 1103, 0, 'Nivel con que lo lee', 1, 0),
  (98, 'nvx_d_idiomas', 'escribe', 'L', 'nvx_m_idiomas_niveles', 'id', 'nombre', 5, 'escribe', 1105, 0, 'Nivel con que lo escribe', 1, 0);

-- nvx_d_experiencia
INSERT INTO nvx_diccionario (id, tabla, Nombre_Columna, Tipo, Relacion_Tabla, Relacion_Clave, Relacion_Retorno, orden, Dato, lng, lng2, Nombre_Largo, buscable, largo) VALUES
  (99, 'nvx_d_experiencia', 'postulante', 'CO', NULL, NULL, NULL, 1, 'postulante', 814, 0, 'Postulante', 0, 0),
  (100, 'nvx_d_experiencia', 'area', 'L', 'nvx_m_experiencia_areas', 'id', 'nombre', 2, 'area', 801, 0, 'Área de la experiencia', 1, 0),
  (101, 'nvx_d_experiencia', 'puesto', 'L', 'nvx_m_experiencia_puestos', 'id', 'nombre', 3, 'puesto', 800, 0, 'Puesto', 1, 0),
  (102, 'nvx_d_experiencia', 'empleador', 'L', 'nvx_m_empleadores', 'id', 'nombre', 4, 'empleador', 802, 0, 'Empleador', 1, 0),
  (103, 'nvx_d_experiencia', 'empleador_rubro', 'L', 'nvx_m_empleadores_rubros', 'id', 'nombre', 5, 'empleador_rubro', 809, 0, 'Rubro o actividad del empleador', 1, 0),
  (104, 'nvx_d_experiencia', 'actividades', 'T', NULL, NULL, NULL, 6, 'actividades', 808, 0, 'Tareas realizadas', 1, 0),
  (105, 'nvx_d_experiencia', 'ingreso_mes', 'ND', NULL, NULL, NULL, 7, 'ingreso_mes', 804, 815, 'Mes de ingreso', 1, 2),
  (106, 'nvx_d_experiencia', 'ingreso_ano', 'ND', NULL, NULL, NULL, 8, 'ingreso_ano', 804, 816, 'Año de ingreso', 1, 4),
  (107, 'nvx_d_experiencia', 'egreso_mes', 'ND', NULL, NULL, NULL, 9, 'egreso_mes', 805, 815, 'Mes de egreso', 1, 2),
  (108, 'nvx_d_experiencia', 'egreso_ano', 'ND', NULL, NULL, NULL, 10, 'egreso_ano', 805, 816, 'Año de egreso', 1, 4),
  (109, 'nvx_d_experiencia', 'empleo_actual', 'N', NULL, NULL, NULL, 11, 'empleo_actual', 806, 0, 'Empleo actual', 1, 1),
  (110, 'nvx_d_experiencia', 'gente_acargo', 'N', NULL, NULL, NULL, 12, 'gente_acargo', 807, 0, 'Tuvo gente a cargo', 1, 1),
  (111, 'nvx_d_experiencia', 'motivo_egreso', 'L', 'nvx_m_motivos_egreso', 'id', 'nombre', 13, 'motivo_egreso', 803, 0, 'Motivo del egreso', 1, 0),
  (112, 'nvx_d_experiencia', 'observaciones', 'T', NULL, NULL, NULL, 14, 'observaciones', 811, 0, 'Observaciones de la experiencia', 1, 0),
  (113, 'nvx_d_experiencia', 'remuneracion', 'N', NULL, NULL, NULL, 15, 'remuneracion', 810, 0, 'Sueldo neto mensual', 1, 9);

-- nvx_d_interes
INSERT INTO nvx_diccionario (id, tabla, Nombre_Columna, Tipo, Relacion_Tabla, Relacion_Clave, Relacion_Retorno, orden, Dato, lng, lng2, Nombre_Largo, buscable, largo) VALUES
  (114, 'nvx_d_interes', 'postulante', 'CO', NULL, NULL, NULL, 1, 'postulante', 1203, 0, 'Postulante', 0, 0),
  (115, 'nvx_d_interes', 'area', 'L', 'nvx_m_experiencia_areas', 'id', 'nombre', 2, 'area', 1202, 0, 'Área de interés', 1, 0);

-- nvx_d_fotos
INSERT INTO nvx_diccionario (id, tabla, Nombre_Columna, Tipo, Relacion_Tabla, Relacion_Clave, Relacion_Retorno, orden, Dato, lng, lng2, Nombre_Largo, buscable, largo) VALUES
  (116, 'nvx_d_fotos', 'postulante', 'CO', NULL, NULL, NULL, 1, 'postulante', 1303, 0, 'Postulante', 0, 0),
  (117, 'nvx_d_fotos', 'titulo', 'T', NULL, NULL, NULL, 2, 'titulo', 1301, 0, 'Título de la foto', 1, 100),
  (118, 'nvx_d_fotos', 'foto', 'T', NULL, NULL, NULL, 3, 'foto', 1302, 0, 'Archivo de la foto', 1, 255);
