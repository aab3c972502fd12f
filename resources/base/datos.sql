-- Delivered lookup lists of a new Candora store and the key counters.
-- Lists shown by position keep their orden; the rest are alphabetical.

-- Countries: Argentina and its neighbours first, then alphabetical.
INSERT INTO nvx_m_paises (id, nombre, orden, disponible, predeterminado) VALUES
  (1, 'Argentina', 1, 1, 1),
  (2, 'Bolivia', 2, 1, 0),
  (3, 'Brasil', 3, 1, 0),
  (4, 'Chile', 4, 1, 0),
  (5, 'Paraguay', 5, 1, 0),
  (6, 'Uruguay', 6, 1, 0),
  (7, 'Afganistán', 10, 1, 0),
  (8, 'Albania', 11, 1, 0),
  (9, 'Alemania', 12, 1, 0),
  (10, 'Andorra', 13, 1, 0),
  (11, 'Angola', 14, 1, 0),
  (12, 'Antigua y Barbuda', 15, 1, 0),
  (13, 'Arabia Saudita', 16, 1, 0),
  (14, 'Argelia', 17, 1, 0),
  (15, 'Armenia', 18, 1, 0),
  (16, 'Australia', 19, 1, 0),
  (17, 'Austria', 20, 1, 0),
  (18, 'Azerbaiyán', 21, 1, 0),
  (19, 'Bahamas', 22, 1, 0),
  (20, 'Bangladés', 23, 1, 0),
  (21, 'Barbados', 24, 1, 0),
  (22, 'Baréin', 25, 1, 0),
  (23, 'Bélgica', 26, 1, 0),
  (24, 'Belice', 27, 1, 0),
  (25, 'Benín', 28, 1, 0),
  (26, 'Bielorrusia', 29, 1, 0),
  (27, 'Birmania', 30, 1, 0),
  (28, 'Bosnia y Herzegovina', 31, 1, 0),
  (29, 'Botsuana', 32, 1, 0),
  (30, 'Brunéi', 33, 1, 0),
  (31, 'Bulgaria', 34, 1, 0),
  (32, 'Burkina Faso', 35, 1, 0),
  (33, 'Burundi', 36, 1, 0),
  (34, 'Bután', 37, 1, 0),
  (35, 'Cabo Verde', 38, 1, 0),
  (36, 'Camboya', 39, 1, 0),
  (37, 'Camerún', 40, 1, 0),
  (38, 'Canadá', 41, 1, 0),
  (39, 'Catar', 42, 1, 0),
  (40, 'Chad', 43, 1, 0),
  (41, 'China', 44, 1, 0),
  (42, 'Chipre', 45, 1, 0),
  (43, 'Ciudad del Vaticano', 46, 1, 0),
  (44, 'Colombia', 47, 1, 0),
  (45, 'Comoras', 48, 1, 0),
  (46, 'Corea del Norte', 49, 1, 0),
  (47, 'Corea del Sur', 50, 1, 0),
  (48, 'Costa de Marfil', 51, 1, 0),
  (49, 'Costa Rica', 52, 1, 0),
  (50, 'Croacia', 53, 1, 0),
  (51, 'Cuba', 54, 1, 0),
  (52, 'Dinamarca', 55, 1, 0),
  (53, 'Dominica', 56, 1, 0),
  (54, 'Ecuador', 57, 1, 0),
  (55, 'Egipto', 58, 1, 0),
  (56, 'El Salvador', 59, 1, 0),
  (57, 'Emiratos Árabes Unidos', 60, 1, 0),
  (58, 'Eritrea', 61, 1, 0),
  (59, 'Eslovaquia', 62, 1, 0),
  (60, 'Eslovenia', 63, 1, 0),
  (61, 'España', 64, 1, 0),
  (62, 'Estados Unidos', 65, 1, 0),
  (63, 'Estonia', 66, 1, 0),
  (64, 'Esuatini', 67, 1, 0),
  (65, 'Etiopía', 68, 1, 0),
  (66, 'Filipinas', 69, 1, 0),
  (67, 'Finlandia', 70, 1, 0),
  (68, 'Fiyi', 71, 1, 0),
  (69, 'Francia', 72, 1, 0),
  (70, 'Gabón', 73, 1, 0),
  (71, 'Gambia', 74, 1, 0),
  (72, 'Georgia', 75, 1, 0),
  (73, 'Ghana', 76, 1, 0),
  (74, 'Granada', 77, 1, 0),
  (75, 'Grecia', 78, 1, 0),
  (76, 'Guatemala', 79, 1, 0),
  (77, 'Guinea', 80, 1, 0),
  (78, 'Guinea Ecuatorial', 81, 1, 0),
  (79, 'Guinea-Bisáu', 82, 1, 0),
  (80, 'Guyana', 83, 1, 0),
  (81, 'Haití', 84, 1, 0),
  (82, 'Honduras', 85, 1, 0),
  (83, 'Hungría', 86, 1, 0),
  (84, 'India', 87, 1, 0),
  (85, 'Indonesia', 88, 1, 0),
  (86, 'Irak', 89, 1, 0),
  (87, 'Irán', 90, 1, 0),
  (88, 'Irlanda', 91, 1, 0),
  (89, 'Islandia', 92, 1, 0),
  (90, 'Islas Marshall', 93, 1, 0),
  (91, 'Islas Salomón', 94, 1, 0),
  (92, 'Israel', 95, 1, 0),
  (93, 'Italia', 96, 1, 0),
  (94, 'Jamaica', 97, 1, 0),
  (95, 'Japón', 98, 1, 0),
  (96, 'Jordania', 99, 1, 0),
  (97, 'Kazajistán', 100, 1, 0),
  (98, 'Kenia', 101, 1, 0),
  (99, 'Kirguistán', 102, 1, 0),
  (100, 'Kiribati', 103, 1, 0),
  (101, 'Kuwait', 104, 1, 0),
  (102, 'Laos', 105, 1, 0),
  (103, 'Lesoto', 106, 1, 0),
  (104, 'Letonia', 107, 1, 0),
  (105, 'Líbano', 108, 1, 0),
  (106, 'Liberia', 109, 1, 0),
  (107, 'Libia', 110, 1, 0),
  (108, 'Liechtenstein', 111, 1, 0),
  (109, 'Lituania', 112, 1, 0),
  (110, 'Luxemburgo', 113, 1, 0),
  (111, 'Macedonia del Norte', 114, 1, 0),
  (112, 'Madagascar', 115, 1, 0),
  (113, 'Malasia', 116, 1, 0),
  (114, 'Malaui', 117, 1, 0),
  (115, 'Maldivas', 118, 1, 0),
  (116, 'Malí', 119, 1, 0),
  (117, 'Malta', 120, 1, 0),
  (118, 'Marruecos', 121, 1, 0),
  (119, 'Mauricio', 122, 1, 0),
  (120, 'Mauritania', 123, 1, 0),
  (121, 'México', 124, 1, 0),
  (122, 'Micronesia', 125, 1, 0),
  (123, 'Moldavia', 126, 1, 0),
  (124, 'Mónaco', 127, 1, 0),
  (125, 'Mongolia', 128, 1, 0),
  (126, 'Montenegro', 129, 1, 0),
  (127, 'Mozambique', 130, 1, 0),
  (128, 'Namibia', 131, 1, 0),
  (129, 'Nauru', 132, 1, 0),
  (130, 'Nepal', 133, 1, 0),
  (131, 'Nicaragua', 134, 1, 0),
  (132, 'Níger', 135, 1, 0),
  (133, 'Nigeria', 136, 1, 0),
  (134, 'Noruega', 137, 1, 0),
  (135, 'Nueva Zelanda', 138, 1, 0),
  (136, 'Omán', 139, 1, 0),
  (137, 'Países Bajos', 140, 1, 0),
  (138, 'Pakistán', 141, 1, 0),
  (139, 'Palaos', 142, 1, 0),
  (140, 'Palestina', 143, 1, 0),
  (141, 'Panamá', 144, 1, 0),
  (142, 'Papúa Nueva Guinea', 145, 1, 0),
  (143, 'Perú', 146, 1, 0),
  (144, 'Polonia', 147, 1, 0),
  (145, 'Portugal', 148, 1, 0),
  (146, 'Reino Unido', 149, 1, 0),
  (147, 'República Centroafricana', 150, 1, 0),
  (148, 'República Checa', 151, 1, 0),
  (149, 'República del Congo', 152, 1, 0),
  (150, 'República Democrática del Congo', 153, 1, 0),
  (151, 'República Dominicana', 154, 1, 0),
  (152, 'Ruanda', 155, 1, 0),
  (153, 'Rumania', 156, 1, 0),
  (154, 'Rusia', 157, 1, 0),
  (155, 'Samoa', 158, 1, 0),
  (156, 'San Cristóbal y Nieves', 159, 1, 0),
  (157, 'San Marino', 160, 1, 0),
  (158, 'San Vicente y las Granadinas', 161, 1, 0),
  (159, 'Santa Lucía', 162, 1, 0),
  (160, 'Santo Tomé y Príncipe', 163, 1, 0),
  (161, 'Senegal', 164, 1, 0),
  (162, 'Serbia', 165, 1, 0),
  (163, 'Seychelles', 166, 1, 0),
  (164, 'Sierra Leona', 167, 1, 0),
  (165, 'Singapur', 168, 1, 0),
  (166, 'Siria', 169, 1, 0),
  (167, 'Somalia', 170, 1, 0),
  (168, 'Sri Lanka', 171, 1, 0),
  (169, 'Sudáfrica', 172, 1, 0),
  (170, 'Sudán', 173, 1, 0),
  (171, 'Sudán del Sur', 174, 1, 0),
  (172, 'Suecia', 175, 1, 0),
  (173, 'Suiza', 176, 1, 0),
  (174, 'Surinam', 177, 1, 0),
  (175, 'Tailandia', 178, 1, 0),
  (176, 'Tanzania', 179, 1, 0),
  (177, 'Tayikistán', 180, 1, 0),
  (178, 'Timor Oriental', 181, 1, 0),
  (179, 'Togo', 182, 1, 0),
  (180, 'Tonga', 183, 1, 0),
  (181, 'Trinidad y Tobago', 184, 1, 0),
  (182, 'Túnez', 185, 1, 0),
  (183, 'Turkmenistán', 186, 1, 0),
  (184, 'Turquía', 187, 1, 0),
  (185, 'Tuvalu', 188, 1, 0),
  (186, 'Ucrania', 189, 1, 0),
  (187, 'Uganda', 190, 1, 0),
  (188, 'Uzbekistán', 191, 1, 0),
  (189, 'Vanuatu', 192, 1, 0),
  (190, 'Venezuela', 193, 1, 0),
  (191, 'Vietnam', 194, 1, 0),
  (192, 'Yemen', 195, 1, 0),
  (193, 'Yibuti', 196, 1, 0),
  (194, 'Zambia', 197, 1, 0),
  (195, 'Zimbabue', 198, 1, 0);

-- The 24 Argentine jurisdictions.
INSERT INTO nvx_m_provincias (id, nombre, orden, disponible, predeterminado) VALUES
  (1, 'Ciudad Autónoma de Buenos Aires', 1, 1, 0),
  (2, 'Buenos Aires', 2, 1, 0),
  (3, 'Catamarca', 10, 1, 0),
  (4, 'Chaco', 11, 1, 0),
  (5, 'Chubut', 12, 1, 0),
  (6, 'Córdoba', 13, 1, 0),
  (7, 'Corrientes', 14, 1, 0),
  (8, 'Entre Ríos', 15, 1, 0),
  (9, 'Formosa', 16, 1, 0),
  (10, 'Jujuy', 17, 1, 0),
  (11, 'La Pampa', 18, 1, 0),
  (12, 'La Rioja', 19, 1, 0),
  (13, 'Mendoza', 20, 1, 0),
  (14, 'Misiones', 21, 1, 0),
  (15, 'Neuquén', 22, 1, 0),
  (16, 'Río Negro', 23, 1, 0),
  (17, 'Salta', 24, 1, 0),
  (18, 'San Juan', 25, 1, 0),
  (19, 'San Luis', 26, 1, 0),
  (20, 'Santa Cruz', 27, 1, 0),
  (21, 'Santa Fe', 28, 1, 0),
  (22, 'Santiago del Estero', 29, 1, 0),
  (23, 'Tierra del Fuego, Antártida e Islas del Atlántico Sur', 30, 1, 0),
  (24, 'Tucumán', 31, 1, 0);

-- Localities: Buenos Aires area and provincial capitals; grows while typing.
INSERT INTO nvx_m_localidades (id, nombre, orden, disponible, predeterminado) VALUES
  (1, 'Ciudad Autónoma de Buenos Aires', 1, 1, 0),
  (2, 'Adrogué', 10, 1, 0),
  (3, 'Avellaneda', 11, 1, 0),
  (4, 'Bahía Blanca', 12, 1, 0),
  (5, 'Banfield', 13, 1, 0),
  (6, 'Berazategui', 14, 1, 0),
  (7, 'Berisso', 15, 1, 0),
  (8, 'Bernal', 16, 1, 0),
  (9, 'Campana', 17, 1, 0),
  (10, 'Caseros', 18, 1, 0),
  (11, 'Castelar', 19, 1, 0),
  (12, 'Comodoro Rivadavia', 20, 1, 0),
  (13, 'Córdoba', 21, 1, 0),
  (14, 'Corrientes', 22, 1, 0),
  (15, 'Ensenada', 23, 1, 0),
  (16, 'Escobar', 24, 1, 0),
  (17, 'Ezeiza', 25, 1, 0),
  (18, 'Florencio Varela', 26, 1, 0),
  (19, 'Formosa', 27, 1, 0),
  (20, 'Haedo', 28, 1, 0),
  (21, 'Hurlingham', 29, 1, 0),
  (22, 'Ituzaingó', 30, 1, 0),
  (23, 'La Plata', 31, 1, 0),
  (24, 'La Rioja', 32, 1, 0),
  (25, 'Lanús', 33, 1, 0),
  (26, 'Lomas de Zamora', 34, 1, 0),
  (27, 'Luján', 35, 1, 0),
  (28, 'Mar del Plata', 36, 1, 0),
  (29, 'Martínez', 37, 1, 0),
  (30, 'Mendoza', 38, 1, 0),
  (31, 'Merlo', 39, 1, 0),
  (32, 'Monte Grande', 40, 1, 0),
  (33, 'Moreno', 41, 1, 0),
  (34, 'Morón', 42, 1, 0),
  (35, 'Neuquén', 43, 1, 0),
  (36, 'Olivos', 44, 1, 0),
  (37, 'Paraná', 45, 1, 0),
  (38, 'Pilar', 46, 1, 0),
  (39, 'Posadas', 47, 1, 0),
  (40, 'Quilmes', 48, 1, 0),
  (41, 'Ramos Mejía', 49, 1, 0),
  (42, 'Rawson', 50, 1, 0),
  (43, 'Resistencia', 51, 1, 0),
  (44, 'Río Cuarto', 52, 1, 0),
  (45, 'Río Gallegos', 53, 1, 0),
  (46, 'Rosario', 54, 1, 0),
  (47, 'Salta', 55, 1, 0),
  (48, 'San Carlos de Bariloche', 56, 1, 0),
  (49, 'San Fernando', 57, 1, 0),
  (50, 'San Fernando del Valle de Catamarca', 58, 1, 0),
  (51, 'San Isidro', 59, 1, 0),
  (52, 'San Juan', 60, 1, 0),
  (53, 'San Justo', 61, 1, 0),
  (54, 'San Luis', 62, 1, 0),
  (55, 'San Martín', 63, 1, 0),
  (56, 'San Miguel', 64, 1, 0),
  (57, 'San Miguel de Tucumán', 65, 1, 0),
  (58, 'San Salvador de Jujuy', 66, 1, 0),
  (59, 'Santa Fe', 67, 1, 0),
  (60, 'Santa Rosa', 68, 1, 0),
  (61, 'Santiago del Estero', 69, 1, 0),
  (62, 'Tandil', 70, 1, 0),
  (63, 'Temperley', 71, 1, 0),
  (64, 'Tigre', 72, 1, 0),
  (65, 'Ushuaia', 73, 1, 0),
  (66, 'Vicente López', 74, 1, 0),
  (67, 'Viedma', 75, 1, 0),
  (68, 'Zárate', 76, 1, 0);

-- Barrios of the City of Buenos Aires; grows while typing.
INSERT INTO nvx_m_barrios (id, nombre, orden, disponible, predeterminado) VALUES
  (1, 'Agronomía', 1, 1, 0),
  (2, 'Almagro', 2, 1, 0),
  (3, 'Balvanera', 3, 1, 0),
  (4, 'Barracas', 4, 1, 0),
  (5, 'Belgrano', 5, 1, 0),
  (6, 'Boedo', 6, 1, 0),
  (7, 'Caballito', 7, 1, 0),
  (8, 'Chacarita', 8, 1, 0),
  (9, 'Coghlan', 9, 1, 0),
  (10, 'Colegiales', 10, 1, 0),
  (11, 'Constitución', 11, 1, 0),
  (12, 'Flores', 12, 1, 0),
  (13, 'Floresta', 13, 1, 0),
  (14, 'La Boca', 14, 1, 0),
  (15, 'La Paternal', 15, 1, 0),
  (16, 'Liniers', 16, 1, 0),
  (17, 'Mataderos', 17, 1, 0),
  (18, 'Monte Castro', 18, 1, 0),
  (19, 'Montserrat', 19, 1, 0),
  (20, 'Nueva Pompeya', 20, 1, 0),
  (21, 'Núñez', 21, 1, 0),
  (22, 'Palermo', 22, 1, 0),
  (23, 'Parque Avellaneda', 23, 1, 0),
  (24, 'Parque Chacabuco', 24, 1, 0),
  (25, 'Parque Chas', 25, 1, 0),
  (26, 'Parque Patricios', 26, 1, 0),
  (27, 'Puerto Madero', 27, 1, 0),
  (28, 'Recoleta', 28, 1, 0),
  (29, 'Retiro', 29, 1, 0),
  (30, 'Saavedra', 30, 1, 0),
  (31, 'San Cristóbal', 31, 1, 0),
  (32, 'San Nicolás', 32, 1, 0),
  (33, 'San Telmo', 33, 1, 0),
  (34, 'Vélez Sarsfield', 34, 1, 0),
  (35, 'Versalles', 35, 1, 0),
  (36, 'Villa Crespo', 36, 1, 0),
  (37, 'Villa del Parque', 37, 1, 0),
  (38, 'Villa Devoto', 38, 1, 0),
  (39, 'Villa General Mitre', 39, 1, 0),
  (40, 'Villa Lugano', 40, 1, 0),
  (41, 'Villa Luro', 41, 1, 0),
  (42, 'Villa Ortúzar', 42, 1, 0),
  (43, 'Villa Pueyrredón', 43, 1, 0),
  (44, 'Villa Real', 44, 1, 0),
  (45, 'Villa Riachuelo', 45, 1, 0),
  (46, 'Villa Santa Rita', 46, 1, 0),
  (47, 'Villa Soldati', 47, 1, 0),
  (48, 'Villa Urquiza', 48, 1, 0);

-- Sexes.
INSERT INTO nvx_m_sexos (id, nombre, orden, disponible, predeterminado) VALUES
  (1, 'Femenino', 1, 1, 0),
  (2, 'Masculino', 2, 1, 0),
  (3, 'No binario', 3, 1, 0);

-- Marital status.
INSERT INTO nvx_m_estados_civiles (id, nombre, orden, disponible, predeterminado) VALUES
  (1, 'Soltero/a', 1, 1, 0),
  (2, 'Casado/a', 2, 1, 0),
  (3, 'Unión convivencial', 3, 1, 0),
  (4, 'Separado/a', 4, 1, 0),
  (5, 'Divorciado/a', 5, 1, 0),
  (6, 'Viudo/a', 6, 1, 0);

-- Kinds of telephone; new records use 1.
INSERT INTO nvx_m_tipos_telefono (id, nombre, orden, disponible, predeterminado) VALUES
  (1, 'Celular', 1, 1, 1),
  (2, 'Particular', 2, 1, 0),
  (3, 'Laboral', 3, 1, 0),
  (4, 'Mensajes', 4, 1, 0),
  (5, 'Fax', 5, 1, 0),
  (6, 'Otro', 6, 1, 0);

-- Family relationships.
INSERT INTO nvx_m_parentescos (id, nombre, orden, disponible, predeterminado) VALUES
  (1, 'Cónyuge', 1, 1, 0),
  (2, 'Pareja', 2, 1, 0),
  (3, 'Hijo/a', 3, 1, 0),
  (4, 'Padre', 4, 1, 0),
  (5, 'Madre', 5, 1, 0),
  (6, 'Hermano/a', 6, 1, 0),
  (7, 'Abuelo/a', 7, 1, 0),
  (8, 'Nieto/a', 8, 1, 0),
  (9, 'Tío/a', 9, 1, 0),
  (10, 'Sobrino/a', 10, 1, 0),
  (11, 'Primo/a', 11, 1, 0),
  (12, 'Suegro/a', 12, 1, 0),
  (13, 'Cuñado/a', 13, 1, 0),
  (14, 'Yerno', 14, 1, 0),
  (15, 'Nuera', 15, 1, 0),
  (16, 'Padrastro', 16, 1, 0),
  (17, 'Madrastra', 17, 1, 0),
  (18, 'Tutor/a', 18, 1, 0),
  (19, 'Otro', 19, 1, 0);

-- Occupations of family members; grows while typing.
INSERT INTO nvx_m_ocupaciones (id, nombre, orden, disponible, predeterminado) VALUES
  (1, 'Abogado/a', 1, 1, 0),
  (2, 'Administrativo/a', 2, 1, 0),
  (3, 'Albañil', 3, 1, 0),
  (4, 'Ama de casa', 4, 1, 0),
  (5, 'Arquitecto/a', 5, 1, 0),
  (6, 'Chofer', 6, 1, 0),
  (7, 'Comerciante', 7, 1, 0),
  (8, 'Contador/a', 8, 1, 0),
  (9, 'Cuentapropista', 9, 1, 0),
  (10, 'Desocupado/a', 10, 1, 0),
  (11, 'Docente', 11, 1, 0),
  (12, 'Electricista', 12, 1, 0),
  (13, 'Empleada doméstica', 13, 1, 0),
  (14, 'Empleado/a', 14, 1, 0),
  (15, 'Empleado/a de comercio', 15, 1, 0),
  (16, 'Empleado/a público/a', 16, 1, 0),
  (17, 'Empresario/a', 17, 1, 0),
  (18, 'Enfermero/a', 18, 1, 0),
  (19, 'Estudiante', 19, 1, 0),
  (20, 'Ingeniero/a', 20, 1, 0),
  (21, 'Jubilado/a', 21, 1, 0),
  (22, 'Mecánico/a', 22, 1, 0),
  (23, 'Médico/a', 23, 1, 0),
  (24, 'Militar', 24, 1, 0),
  (25, 'Obrero/a', 25, 1, 0),
  (26, 'Operario/a', 26, 1, 0),
  (27, 'Pensionado/a', 27, 1, 0),
  (28, 'Periodista', 28, 1, 0),
  (29, 'Policía', 29, 1, 0),
  (30, 'Profesional independiente', 30, 1, 0),
  (31, 'Psicólogo/a', 31, 1, 0),
  (32, 'Técnico/a', 32, 1, 0),
  (33, 'Vendedor/a', 33, 1, 0);

-- Employers; a small starter set, grows while typing.
INSERT INTO nvx_m_empleadores (id, nombre, orden, disponible, predeterminado) VALUES
  (1, 'Casa de familia', 1, 1, 0),
  (2, 'Cuenta propia', 2, 1, 0),
  (3, 'Empresa familiar', 3, 1, 0),
  (4, 'Sector público', 4, 1, 0);

-- Employers' lines of business.
INSERT INTO nvx_m_empleadores_rubros (id, nombre, orden, disponible, predeterminado) VALUES
  (1, 'Agropecuario', 1, 1, 0),
  (2, 'Alimentos y bebidas', 2, 1, 0),
  (3, 'Automotriz', 3, 1, 0),
  (4, 'Bancos y finanzas', 4, 1, 0),
  (5, 'Comercio exterior', 5, 1, 0),
  (6, 'Comercio mayorista', 6, 1, 0),
  (7, 'Comercio minorista', 7, 1, 0),
  (8, 'Construcción', 8, 1, 0),
  (9, 'Consultoría', 9, 1, 0),
  (10, 'Educación', 10, 1, 0),
  (11, 'Energía', 11, 1, 0),
  (12, 'Entretenimiento', 12, 1, 0),
  (13, 'Farmacéutico', 13, 1, 0),
  (14, 'Gastronomía', 14, 1, 0),
  (15, 'Gobierno', 15, 1, 0),
  (16, 'Hotelería y turismo', 16, 1, 0),
  (17, 'Industria manufacturera', 17, 1, 0),
  (18, 'Informática y tecnología', 18, 1, 0),
  (19, 'Inmobiliario', 19, 1, 0),
  (20, 'Logística y transporte', 20, 1, 0),
  (21, 'Medios de comunicación', 21, 1, 0),
  (22, 'Metalúrgico', 22, 1, 0),
  (23, 'Minería y petróleo', 23, 1, 0),
  (24, 'Organizaciones sin fines de lucro', 24, 1, 0),
  (25, 'Publicidad y marketing', 25, 1, 0),
  (26, 'Química y petroquímica', 26, 1, 0),
  (27, 'Salud', 27, 1, 0),
  (28, 'Seguridad', 28, 1, 0),
  (29, 'Seguros', 29, 1, 0),
  (30, 'Servicios profesionales', 30, 1, 0),
  (31, 'Supermercados', 31, 1, 0),
  (32, 'Telecomunicaciones', 32, 1, 0),
  (33, 'Textil y calzado', 33, 1, 0);

-- Areas of work, also used for areas of interest.
INSERT INTO nvx_m_experiencia_areas (id, nombre, orden, disponible, predeterminado) VALUES
  (1, 'Administración', 1, 1, 0),
  (2, 'Atención al cliente', 2, 1, 0),
  (3, 'Calidad', 3, 1, 0),
  (4, 'Comercial', 4, 1, 0),
  (5, 'Comercio exterior', 5, 1, 0),
  (6, 'Compras', 6, 1, 0),
  (7, 'Comunicación', 7, 1, 0),
  (8, 'Construcción', 8, 1, 0),
  (9, 'Contabilidad', 9, 1, 0),
  (10, 'Diseño', 10, 1, 0),
  (11, 'Educación', 11, 1, 0),
  (12, 'Finanzas', 12, 1, 0),
  (13, 'Gastronomía', 13, 1, 0),
  (14, 'Ingeniería', 14, 1, 0),
  (15, 'Legales', 15, 1, 0),
  (16, 'Logística', 16, 1, 0),
  (17, 'Mantenimiento', 17, 1, 0),
  (18, 'Marketing', 18, 1, 0),
  (19, 'Oficios', 19, 1, 0),
  (20, 'Producción', 20, 1, 0),
  (21, 'Recursos humanos', 21, 1, 0),
  (22, 'Salud', 22, 1, 0),
  (23, 'Secretariado', 23, 1, 0),
  (24, 'Seguridad', 24, 1, 0),
  (25, 'Sistemas', 25, 1, 0),
  (26, 'Telemarketing', 26, 1, 0),
  (27, 'Ventas', 27, 1, 0);

-- Job positions.
INSERT INTO nvx_m_experiencia_puestos (id, nombre, orden, disponible, predeterminado) VALUES
  (1, 'Administrativo/a', 1, 1, 0),
  (2, 'Analista', 2, 1, 0),
  (3, 'Analista programador/a', 3, 1, 0),
  (4, 'Asistente', 4, 1, 0),
  (5, 'Auxiliar contable', 5, 1, 0),
  (6, 'Cadete', 6, 1, 0),
  (7, 'Cajero/a', 7, 1, 0),
  (8, 'Chofer', 8, 1, 0),
  (9, 'Cocinero/a', 9, 1, 0),
  (10, 'Contador/a', 10, 1, 0),
  (11, 'Director/a', 11, 1, 0),
  (12, 'Diseñador/a', 12, 1, 0),
  (13, 'Docente', 13, 1, 0),
  (14, 'Encargado/a', 14, 1, 0),
  (15, 'Enfermero/a', 15, 1, 0),
  (16, 'Gerente', 16, 1, 0),
  (17, 'Ingeniero/a', 17, 1, 0),
  (18, 'Jefe/a', 18, 1, 0),
  (19, 'Maestranza', 19, 1, 0),
  (20, 'Mozo/a', 20, 1, 0),
  (21, 'Operador/a de call center', 21, 1, 0),
  (22, 'Operario/a', 22, 1, 0),
  (23, 'Pasante', 23, 1, 0),
  (24, 'Programador/a', 24, 1, 0),
  (25, 'Promotor/a', 25, 1, 0),
  (26, 'Recepcionista', 26, 1, 0),
  (27, 'Repositor/a', 27, 1, 0),
  (28, 'Secretario/a', 28, 1, 0),
  (29, 'Supervisor/a', 29, 1, 0),
  (30, 'Técnico/a', 30, 1, 0),
  (31, 'Telefonista', 31, 1, 0),
  (32, 'Vendedor/a', 32, 1, 0),
  (33, 'Vigilador/a', 33, 1, 0);

-- Reasons for leaving a job.
INSERT INTO nvx_m_motivos_egreso (id, nombre, orden, disponible, predeterminado) VALUES
  (1, 'Renuncia', 1, 1, 0),
  (2, 'Despido', 2, 1, 0),
  (3, 'Fin de contrato', 3, 1, 0),
  (4, 'Reducción de personal', 4, 1, 0),
  (5, 'Cierre de la empresa', 5, 1, 0),
  (6, 'Retiro voluntario', 6, 1, 0),
  (7, 'Mejor oferta laboral', 7, 1, 0),
  (8, 'Mudanza', 8, 1, 0),
  (9, 'Estudios', 9, 1, 0),
  (10, 'Motivos personales', 10, 1, 0),
  (11, 'Motivos de salud', 11, 1, 0),
  (12, 'Jubilación', 12, 1, 0),
  (13, 'Otro', 13, 1, 0);

-- Levels of education. Ids follow the names; orden gives the level order.
INSERT INTO nvx_m_formacion_tipos (id, nombre, orden, disponible, predeterminado) VALUES
  (1, 'Curso', 8, 1, 0),
  (2, 'Doctorado', 7, 1, 0),
  (3, 'Maestría', 6, 1, 0),
  (4, 'Posgrado', 5, 1, 0),
  (5, 'Primario', 1, 1, 0),
  (6, 'Secundario', 2, 1, 0),
  (7, 'Terciario', 3, 1, 0),
  (8, 'Universitario', 4, 1, 0);

-- Fields of study.
INSERT INTO nvx_m_formacion_areas (id, nombre, orden, disponible, predeterminado) VALUES
  (1, 'Administración', 1, 1, 0),
  (2, 'Agronomía y veterinaria', 2, 1, 0),
  (3, 'Arquitectura y urbanismo', 3, 1, 0),
  (4, 'Arte y diseño', 4, 1, 0),
  (5, 'Ciencias de la salud', 5, 1, 0),
  (6, 'Ciencias económicas', 6, 1, 0),
  (7, 'Ciencias exactas', 7, 1, 0),
  (8, 'Ciencias naturales', 8, 1, 0),
  (9, 'Ciencias sociales', 9, 1, 0),
  (10, 'Comercialización', 10, 1, 0),
  (11, 'Comunicación', 11, 1, 0),
  (12, 'Derecho', 12, 1, 0),
  (13, 'Educación', 13, 1, 0),
  (14, 'Gastronomía', 14, 1, 0),
  (15, 'Humanidades', 15, 1, 0),
  (16, 'Idiomas', 16, 1, 0),
  (17, 'Informática', 17, 1, 0),
  (18, 'Ingeniería', 18, 1, 0),
  (19, 'Psicología', 19, 1, 0),
  (20, 'Recursos humanos', 20, 1, 0),
  (21, 'Turismo y hotelería', 21, 1, 0),
  (22, 'Otra', 22, 1, 0);

-- States of a course of study. Ids follow the names; orden gives the usual order.
INSERT INTO nvx_m_formacion_estados (id, nombre, orden, disponible, predeterminado) VALUES
  (1, 'Abandonado', 4, 1, 0),
  (2, 'Completo', 1, 1, 0),
  (3, 'En curso', 2, 1, 0),
  (4, 'Incompleto', 3, 1, 0);

-- Educational institutions; grows while typing.
INSERT INTO nvx_m_formacion_institutos (id, nombre, orden, disponible, predeterminado) VALUES
  (1, 'Instituto Tecnológico de Buenos Aires', 1, 1, 0),
  (2, 'Pontificia Universidad Católica Argentina', 2, 1, 0),
  (3, 'Universidad Abierta Interamericana', 3, 1, 0),
  (4, 'Universidad Argentina de la Empresa', 4, 1, 0),
  (5, 'Universidad Austral', 5, 1, 0),
  (6, 'Universidad de Belgrano', 6, 1, 0),
  (7, 'Universidad de Buenos Aires', 7, 1, 0),
  (8, 'Universidad de Morón', 8, 1, 0),
  (9, 'Universidad de Palermo', 9, 1, 0),
  (10, 'Universidad del Salvador', 10, 1, 0),
  (11, 'Universidad Nacional de Córdoba', 11, 1, 0),
  (12, 'Universidad Nacional de Cuyo', 12, 1, 0),
  (13, 'Universidad Nacional de La Matanza', 13, 1, 0),
  (14, 'Universidad Nacional de La Plata', 14, 1, 0),
  (15, 'Universidad Nacional de Lanús', 15, 1, 0),
  (16, 'Universidad Nacional de Lomas de Zamora', 16, 1, 0),
  (17, 'Universidad Nacional de Mar del Plata', 17, 1, 0),
  (18, 'Universidad Nacional de Quilmes', 18, 1, 0),
  (19, 'Universidad Nacional de Rosario', 19, 1, 0),
  (20, 'Universidad Nacional de San Martín', 20, 1, 0),
  (21, 'Universidad Nacional de Tucumán', 21, 1, 0),
  (22, 'Universidad Nacional del Litoral', 22, 1, 0),
  (23, 'Universidad Nacional del Sur', 23, 1, 0),
  (24, 'Universidad Tecnológica Nacional', 24, 1, 0),
  (25, 'Universidad Torcuato Di Tella', 25, 1, 0);

-- Degrees and titles; grows while typing.
INSERT INTO nvx_m_titulos (id, nombre, orden, disponible, predeterminado) VALUES
  (1, 'Abogado/a', 1, 1, 0),
  (2, 'Analista de sistemas', 2, 1, 0),
  (3, 'Analista programador/a', 3, 1, 0),
  (4, 'Arquitecto/a', 4, 1, 0),
  (5, 'Bachiller', 5, 1, 0),
  (6, 'Contador/a público/a', 6, 1, 0),
  (7, 'Diseñador/a gráfico/a', 7, 1, 0),
  (8, 'Farmacéutico/a', 8, 1, 0),
  (9, 'Ingeniero/a civil', 9, 1, 0),
  (10, 'Ingeniero/a electrónico/a', 10, 1, 0),
  (11, 'Ingeniero/a en sistemas de información', 11, 1, 0),
  (12, 'Ingeniero/a industrial', 12, 1, 0),
  (13, 'Ingeniero/a químico/a', 13, 1, 0),
  (14, 'Licenciado/a en administración', 14, 1, 0),
  (15, 'Licenciado/a en comercialización', 15, 1, 0),
  (16, 'Licenciado/a en comunicación social', 16, 1, 0),
  (17, 'Licenciado/a en economía', 17, 1, 0),
  (18, 'Licenciado/a en enfermería', 18, 1, 0),
  (19, 'Licenciado/a en psicología', 19, 1, 0),
  (20, 'Licenciado/a en recursos humanos', 20, 1, 0),
  (21, 'Licenciado/a en relaciones del trabajo', 21, 1, 0),
  (22, 'Licenciado/a en relaciones públicas', 22, 1, 0),
  (23, 'Licenciado/a en sistemas', 23, 1, 0),
  (24, 'Licenciado/a en turismo', 24, 1, 0),
  (25, 'Maestro/a de grado', 25, 1, 0),
  (26, 'Martillero/a público/a', 26, 1, 0),
  (27, 'Médico/a', 27, 1, 0),
  (28, 'Odontólogo/a', 28, 1, 0),
  (29, 'Perito mercantil', 29, 1, 0),
  (30, 'Profesor/a de inglés', 30, 1, 0),
  (31, 'Secretario/a ejecutivo/a', 31, 1, 0),
  (32, 'Técnico/a superior en administración', 32, 1, 0),
  (33, 'Técnico/a superior en marketing', 33, 1, 0),
  (34, 'Traductor/a público/a', 34, 1, 0);

-- Orientations of secondary schooling.
INSERT INTO nvx_m_formsec_areas (id, nombre, orden, disponible, predeterminado) VALUES
  (1, 'Bachiller', 1, 1, 0),
  (2, 'Comercial', 2, 1, 0),
  (3, 'Técnica', 3, 1, 0),
  (4, 'Pedagógica', 4, 1, 0),
  (5, 'Ciencias sociales', 5, 1, 0),
  (6, 'Ciencias naturales', 6, 1, 0),
  (7, 'Economía y administración', 7, 1, 0),
  (8, 'Humanidades', 8, 1, 0),
  (9, 'Comunicación', 9, 1, 0),
  (10, 'Informática', 10, 1, 0),
  (11, 'Arte', 11, 1, 0),
  (12, 'Lenguas', 12, 1, 0),
  (13, 'Educación física', 13, 1, 0),
  (14, 'Turismo', 14, 1, 0),
  (15, 'Agro y ambiente', 15, 1, 0);

-- Languages.
INSERT INTO nvx_m_idiomas (id, nombre, orden, disponible, predeterminado) VALUES
  (1, 'Inglés', 1, 1, 0),
  (2, 'Portugués', 2, 1, 0),
  (3, 'Italiano', 3, 1, 0),
  (4, 'Francés', 4, 1, 0),
  (5, 'Alemán', 5, 1, 0),
  (6, 'Chino mandarín', 6, 1, 0),
  (7, 'Japonés', 7, 1, 0),
  (8, 'Ruso', 8, 1, 0),
  (9, 'Árabe', 9, 1, 0),
  (10, 'Hebreo', 10, 1, 0),
  (11, 'Coreano', 11, 1, 0),
  (12, 'Catalán', 12, 1, 0),
  (13, 'Guaraní', 13, 1, 0),
  (14, 'Quechua', 14, 1, 0),
  (15, 'Español', 15, 1, 0),
  (16, 'Lengua de señas argentina', 16, 1, 0);

-- Language skill levels, lowest first.
INSERT INTO nvx_m_idiomas_niveles (id, nombre, orden, disponible, predeterminado) VALUES
  (1, 'Básico', 1, 1, 0),
  (2, 'Intermedio', 2, 1, 0),
  (3, 'Bueno', 3, 1, 0),
  (4, 'Muy bueno', 4, 1, 0),
  (5, 'Bilingüe/Nativo', 5, 1, 0);

-- Currencies with the symbol shown on the CV.
INSERT INTO nvx_m_monedas (id, nombre, orden, disponible, predeterminado, simbolo) VALUES
  (1, 'Peso argentino', 1, 1, 1, '$'),
  (2, 'Dólar estadounidense', 2, 1, 0, 'U$S'),
  (3, 'Euro', 3, 1, 0, '€'),
  (4, 'Real', 4, 1, 0, 'R$');

-- Weekly availability.
INSERT INTO nvx_m_disponibilidad_semanal (id, nombre, orden, disponible, predeterminado) VALUES
  (1, 'Lunes a viernes', 1, 1, 0),
  (2, 'Lunes a sábado', 2, 1, 0),
  (3, 'Fines de semana', 3, 1, 0),
  (4, 'Todos los días', 4, 1, 0),
  (5, 'Días rotativos', 5, 1, 0),
  (6, 'A convenir', 6, 1, 0);

-- Daily availability.
INSERT INTO nvx_m_disponibilidad_horaria (id, nombre, orden, disponible, predeterminado) VALUES
  (1, 'Jornada completa', 1, 1, 0),
  (2, 'Media jornada por la mañana', 2, 1, 0),
  (3, 'Media jornada por la tarde', 3, 1, 0),
  (4, 'Turno noche', 4, 1, 0),
  (5, 'Turnos rotativos', 5, 1, 0),
  (6, 'Horario flexible', 6, 1, 0),
  (7, 'A convenir', 7, 1, 0);

-- Appearance.
INSERT INTO nvx_m_presencias (id, nombre, orden, disponible, predeterminado) VALUES
  (1, 'Excelente', 1, 1, 0),
  (2, 'Muy buena', 2, 1, 0),
  (3, 'Buena', 3, 1, 0),
  (4, 'Regular', 4, 1, 0);

-- Build.
INSERT INTO nvx_m_contexturas (id, nombre, orden, disponible, predeterminado) VALUES
  (1, 'Delgada', 1, 1, 0),
  (2, 'Mediana', 2, 1, 0),
  (3, 'Atlética', 3, 1, 0),
  (4, 'Robusta', 4, 1, 0);

-- Free classification list A.
-- nvx_m_datos_a starts empty.

-- Free classification list B.
-- nvx_m_datos_b starts empty.

-- Free classification list C.
-- nvx_m_datos_c starts empty.

-- Free classification list D.
-- nvx_m_datos_d starts empty.

-- Free classification list E.
-- nvx_m_datos_e starts empty.

-- Free classification list F.
-- nvx_m_datos_f starts empty.

-- Free classification list G.
-- nvx_m_datos_g starts empty.

-- Free classification list H.
-- nvx_m_datos_h starts empty.

-- Free classification list I.
-- nvx_m_datos_i starts empty.

-- Free classification list J.
-- nvx_m_datos_j starts empty.

-- Key counters: each starts at the last key delivered.
INSERT INTO nvx_m_ids (tabla, ultimo_id) SELECT 'nvx_m_postulantes', coalesce(max(id), 0) FROM nvx_m_postulantes;
INSERT INTO nvx_m_ids (tabla, ultimo_id) SELECT 'nvx_m_busquedas', coalesce(max(id), 0) FROM nvx_m_busquedas;
INSERT INTO nvx_m_ids (tabla, ultimo_id) SELECT 'nvx_d_documentos', coalesce(max(id), 0) FROM nvx_d_documentos;
INSERT INTO nvx_m_ids (tabla, ultimo_id) SELECT 'nvx_m_paises', coalesce(max(id), 0) FROM nvx_m_paises;
INSERT INTO nvx_m_ids (tabla, ultimo_id) SELECT 'nvx_m_provincias', coalesce(max(id), 0) FROM nvx_m_provincias;
INSERT INTO nvx_m_ids (tabla, ultimo_id) SELECT 'nvx_m_localidades', coalesce(max(id), 0) FROM nvx_m_localidades;
INSERT INTO nvx_m_ids (tabla, ultimo_id) SELECT 'nvx_m_barrios', coalesce(max(id), 0) FROM nvx_m_barrios;
INSERT INTO nvx_m_ids (tabla, ultimo_id) SELECT 'nvx_m_sexos', coalesce(max(id), 0) FROM nvx_m_sexos;
INSERT INTO nvx_m_ids (tabla, ultimo_id) SELECT 'nvx_m_estados_civiles', coalesce(max(id), 0) FROM nvx_m_estados_civiles;
INSERT INTO nvx_m_ids (tabla, ultimo_id) SELECT 'nvx_m_tipos_telefono', coalesce(max(id), 0) FROM nvx_m_tipos_telefono;
INSERT INTO nvx_m_ids (tabla, ultimo_id) SELECT 'nvx_m_parentescos', coalesce(max(id), 0) FROM nvx_m_parentescos;
INSERT INTO nvx_m_ids (tabla, ultimo_id) SELECT 'nvx_m_ocupaciones', coalesce(max(id), 0) FROM nvx_m_ocupaciones;
INSERT INTO nvx_m_ids (tabla, ultimo_id) SELECT 'nvx_m_empleadores', coalesce(max(id), 0) FROM nvx_m_empleadores;
INSERT INTO nvx_m_ids (tabla, ultimo_id) SELECT 'nvx_m_empleadores_rubros', coalesce(max(id), 0) FROM nvx_m_empleadores_rubros;
INSERT INTO nvx_m_ids (tabla, ultimo_id) SELECT 'nvx_m_experiencia_areas', coalesce(max(id), 0) FROM nvx_m_experiencia_areas;
INSERT INTO nvx_m_ids (tabla, ultimo_id) SELECT 'nvx_m_experiencia_puestos', coalesce(max(id), 0) FROM nvx_m_experiencia_puestos;
INSERT INTO nvx_m_ids (tabla, ultimo_id) SELECT 'nvx_m_motivos_egreso', coalesce(max(id), 0) FROM nvx_m_motivos_egreso;
INSERT INTO nvx_m_ids (tabla, ultimo_id) SELECT 'nvx_m_formacion_tipos', coalesce(max(id), 0) FROM nvx_m_formacion_tipos;
INSERT INTO nvx_m_ids (tabla, ultimo_id) SELECT 'nvx_m_formacion_areas', coalesce(max(id), 0) FROM nvx_m_formacion_areas;
INSERT INTO nvx_m_ids (tabla, ultimo_id) SELECT 'nvx_m_formacion_estados', coalesce(max(id), 0) FROM nvx_m_formacion_estados;
INSERT INTO nvx_m_ids (tabla, ultimo_id) SELECT 'nvx_m_formacion_institutos', coalesce(max(id), 0) FROM nvx_m_formacion_institutos;
INSERT INTO nvx_m_ids (tabla, ultimo_id) SELECT 'nvx_m_titulos', coalesce(max(id), 0) FROM nvx_m_titulos;
INSERT INTO nvx_m_ids (tabla, ultimo_id) SELECT 'nvx_m_formsec_areas', coalesce(max(id), 0) FROM nvx_m_formsec_areas;
INSERT INTO nvx_m_ids (tabla, ultimo_id) SELECT 'nvx_m_idiomas', coalesce(max(id), 0) FROM nvx_m_idiomas;
INSERT INTO nvx_m_ids (tabla, ultimo_id) SELECT 'nvx_m_idiomas_niveles', coalesce(max(id), 0) FROM nvx_m_idiomas_niveles;
INSERT INTO nvx_m_ids (tabla, ultimo_id) SELECT 'nvx_m_monedas', coalesce(max(id), 0) FROM nvx_m_monedas;
INSERT INTO nvx_m_ids (tabla, ultimo_id) SELECT 'nvx_m_disponibilidad_semanal', coalesce(max(id), 0) FROM nvx_m_disponibilidad_semanal;
INSERT INTO nvx_m_ids (tabla, ultimo_id) SELECT 'nvx_m_disponibilidad_horaria', coalesce(max(id), 0) FROM nvx_m_disponibilidad_horaria;
INSERT INTO nvx_m_ids (tabla, ultimo_id) SELECT 'nvx_m_presencias', coalesce(max(id), 0) FROM nvx_m_presencias;
INSERT INTO nvx_m_ids (tabla, ultimo_id) SELECT 'nvx_m_contexturas', coalesce(max(id), 0) FROM nvx_m_contexturas;
INSERT INTO nvx_m_ids (tabla, ultimo_id) SELECT 'nvx_m_datos_a', coalesce(max(id), 0) FROM nvx_m_datos_a;
INSERT INTO nvx_m_ids (tabla, ultimo_id) SELECT 'nvx_m_datos_b', coalesce(max(id), 0) FROM nvx_m_datos_b;
INSERT INTO nvx_m_ids (tabla, ultimo_id) SELECT 'nvx_m_datos_c', coalesce(max(id), 0) FROM nvx_m_datos_c;
INSERT INTO nvx_m_ids (tabla, ultimo_id) SELECT 'nvx_m_datos_d', coalesce(max(id), 0) FROM nvx_m_datos_d;
INSERT INTO nvx_m_ids (tabla, ultimo_id) SELECT 'nvx_m_datos_e', coalesce(max(id), 0) FROM nvx_m_datos_e;
INSERT INTO nvx_m_ids (tabla, ultimo_id) SELECT 'nvx_m_datos_f', coalesce(max(id), 0) FROM nvx_m_datos_f;
INSERT INTO nvx_m_ids (tabla, ultimo_id) SELECT 'nvx_m_datos_g', coalesce(max(id), 0) FROM nvx_m_datos_g;
INSERT INTO nvx_m_ids (tabla, ultimo_id) SELECT 'nvx_m_datos_h', coalesce(max(id), 0) FROM nvx_m_datos_h;
INSERT INTO nvx_m_ids (tabla, ultimo_id) SELECT 'nvx_m_datos_i', coalesce(max(id), 0) FROM nvx_m_datos_i;
INSERT INTO nvx_m_ids (tabla, ultimo_id) SELECT 'nvx_m_datos_j', coalesce(max(id), 0) FROM nvx_m_datos_j;
