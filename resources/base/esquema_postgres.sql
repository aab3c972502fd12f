-- What a shared store on a PostgreSQL server adds to the data tables: texts
-- compare without regard to case or accents, as on the file store, and every
-- change of an applicant or of one of its detail rows stamps its change time
-- (yyyymmddhhnnss), only when the second has moved on. A copy of a whole store
-- (candora.copiando = 'si' for its transaction) keeps the stamps it brings.
CREATE TABLE candora_esquema (version INTEGER NOT NULL);

CREATE FUNCTION candora_ahora() RETURNS TEXT LANGUAGE sql STABLE AS
$$ SELECT to_char(localtimestamp, 'YYYYMMDDHH24MISS') $$;

CREATE FUNCTION candora_sellar_postulante() RETURNS trigger LANGUAGE plpgsql AS $$
BEGIN
  IF TG_OP = 'INSERT' AND NEW.actualizado IS NULL THEN
    NEW.actualizado := candora_ahora();
  ELSIF TG_OP = 'UPDATE' AND NEW.actualizado IS NOT DISTINCT FROM OLD.actualizado
        AND coalesce(NEW.actualizado, '') < candora_ahora() THEN
    NEW.actualizado := candora_ahora();
  END IF;
  RETURN NEW;
END $$;

CREATE TRIGGER nvx_m_postulantes_sello BEFORE INSERT OR UPDATE ON nvx_m_postulantes
FOR EACH ROW EXECUTE FUNCTION candora_sellar_postulante();

CREATE FUNCTION candora_sellar_detalle() RETURNS trigger LANGUAGE plpgsql AS $$
DECLARE
  p INTEGER := CASE WHEN TG_OP = 'DELETE' THEN OLD.postulante ELSE NEW.postulante END;
BEGIN
  IF current_setting('candora.copiando', true) = 'si' THEN
    RETURN NULL;
  END IF;
  UPDATE nvx_m_postulantes SET actualizado = candora_ahora()
  WHERE id = p AND coalesce(actualizado, '') < candora_ahora();
  RETURN NULL;
END $$;

CREATE TRIGGER nvx_d_familiares_sello AFTER INSERT OR UPDATE OR DELETE ON nvx_d_familiares
FOR EACH ROW EXECUTE FUNCTION candora_sellar_detalle();
CREATE TRIGGER nvx_d_formacion_sello AFTER INSERT OR UPDATE OR DELETE ON nvx_d_formacion
FOR EACH ROW EXECUTE FUNCTION candora_sellar_detalle();
CREATE TRIGGER nvx_d_idiomas_sello AFTER INSERT OR UPDATE OR DELETE ON nvx_d_idiomas
FOR EACH ROW EXECUTE FUNCTION candora_sellar_detalle();
CREATE TRIGGER nvx_d_experiencia_sello AFTER INSERT OR UPDATE OR DELETE ON nvx_d_experiencia
FOR EACH ROW EXECUTE FUNCTION candora_sellar_detalle();
CREATE TRIGGER nvx_d_interes_sello AFTER INSERT OR UPDATE OR DELETE ON nvx_d_interes
FOR EACH ROW EXECUTE FUNCTION candora_sellar_detalle();
CREATE TRIGGER nvx_d_fotos_sello AFTER INSERT OR UPDATE OR DELETE ON nvx_d_fotos
FOR EACH ROW EXECUTE FUNCTION candora_sellar_detalle();
-- The file store compresses the index's texts; the server keeps them as they are.
CREATE FUNCTION candora_comprimir(t TEXT) RETURNS TEXT LANGUAGE sql IMMUTABLE AS $$ SELECT t $$;
CREATE FUNCTION candora_descomprimir(t TEXT) RETURNS TEXT LANGUAGE sql IMMUTABLE AS $$ SELECT t $$;
CREATE FUNCTION candora_palabras(t TEXT) RETURNS tsvector LANGUAGE sql IMMUTABLE AS
$$ SELECT to_tsvector('simple', regexp_replace(translate(lower(t), 'áàâãäåéèêëíìîïóòôõöúùûüýÿñç',
  'aaaaaaeeeeiiiiooooouuuuyync'), '[^[:alnum:]]+', ' ', 'g')) $$;
ALTER TABLE candora_textos ADD COLUMN palabras tsvector GENERATED ALWAYS AS (candora_palabras(texto)) STORED;
CREATE INDEX candora_textos_palabras ON candora_textos USING gin (palabras);

CREATE TRIGGER nvx_d_documentos_sello AFTER INSERT OR DELETE ON nvx_d_documentos
FOR EACH ROW EXECUTE FUNCTION candora_sellar_detalle();
