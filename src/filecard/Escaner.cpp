#include "filecard/Escaner.h"

#include <QImage>

#include <sane/sane.h>
#include <sane/saneopts.h>

#include <vector>

namespace {

QString Texto(SANE_Status s) {
    return QString::fromLocal8Bit(sane_strstatus(s));
}

// sane_init … sane_exit for the life of the object.
class Sesión {
  public:
    Sesión() { estado = sane_init(nullptr, nullptr); }
    ~Sesión() {
        if (estado == SANE_STATUS_GOOD) sane_exit();
    }
    SANE_Status estado;
};

class Dispositivo {
  public:
    ~Dispositivo() {
        if (h) {
            sane_cancel(h);
            sane_close(h);
        }
    }
    SANE_Handle h = nullptr;
};

// Colour at 150 dpi where the device offers them: a portrait photo, not a document.
void Preparar(SANE_Handle h) {
    for (SANE_Int i = 1;; ++i) {
        const SANE_Option_Descriptor* o = sane_get_option_descriptor(h, i);
        if (!o) break;
        if (!o->name || !SANE_OPTION_IS_SETTABLE(o->cap) || !SANE_OPTION_IS_ACTIVE(o->cap))
            continue;
        const QByteArray nombre(o->name);
        if (nombre == SANE_NAME_SCAN_MODE && o->type == SANE_TYPE_STRING &&
            o->constraint_type == SANE_CONSTRAINT_STRING_LIST) {
            for (const SANE_String_Const* m = o->constraint.string_list; *m; ++m)
                if (QByteArray(*m) == SANE_VALUE_SCAN_MODE_COLOR) {
                    QByteArray v(*m);
                    v.resize(std::max<qsizetype>(v.size() + 1, o->size));
                    sane_control_option(h, i, SANE_ACTION_SET_VALUE, v.data(), nullptr);
                    break;
                }
        } else if (nombre == SANE_NAME_SCAN_RESOLUTION && o->size == sizeof(SANE_Word)) {
            double dpi = 150;
            if (o->constraint_type == SANE_CONSTRAINT_RANGE) {
                const auto valor = [&](SANE_Word w) {
                    return o->type == SANE_TYPE_FIXED ? SANE_UNFIX(w) : double(w);
                };
                dpi = std::clamp(dpi, valor(o->constraint.range->min),
                                 valor(o->constraint.range->max));
            }
            SANE_Word w = o->type == SANE_TYPE_FIXED ? SANE_FIX(dpi) : SANE_Word(dpi);
            sane_control_option(h, i, SANE_ACTION_SET_VALUE, &w, nullptr);
        }
    }
}

std::vector<DispositivoEscaner> Listar() {
    std::vector<DispositivoEscaner> r;
    const SANE_Device** lista = nullptr;
    if (sane_get_devices(&lista, SANE_FALSE) != SANE_STATUS_GOOD || !lista) return r;
    for (int i = 0; lista[i]; ++i)
        r.push_back({QString::fromLocal8Bit(lista[i]->name),
                     QStringLiteral("%1 %2").arg(QString::fromLocal8Bit(lista[i]->vendor),
                                                 QString::fromLocal8Bit(lista[i]->model))});
    return r;
}

}  // namespace

std::vector<DispositivoEscaner> DispositivosEscaner(QString& error) {
    Sesión s;
    if (s.estado != SANE_STATUS_GOOD) {
        error = QStringLiteral("No se pudo iniciar SANE: %1.").arg(Texto(s.estado));
        return {};
    }
    auto r = Listar();
    if (r.empty()) error = QStringLiteral("No se encontró ningún escáner ni cámara.");
    return r;
}

bool Escanear(const QString& nombre, const QString& archivo, QString& error) {
    Sesión s;
    if (s.estado != SANE_STATUS_GOOD) {
        error = QStringLiteral("No se pudo iniciar SANE: %1.").arg(Texto(s.estado));
        return false;
    }
    QString elegido = nombre;
    if (elegido.isEmpty()) {
        const auto todos = Listar();
        if (todos.empty()) {
            error = QStringLiteral("No se encontró ningún escáner ni cámara.");
            return false;
        }
        elegido = todos.front().nombre;
    }
    Dispositivo d;
    SANE_Status e = sane_open(elegido.toLocal8Bit().constData(), &d.h);
    if (e != SANE_STATUS_GOOD) {
        d.h = nullptr;
        error = QStringLiteral("No se pudo abrir %1: %2.").arg(elegido, Texto(e));
        return false;
    }

    Preparar(d.h);

    // Frames: one for gray or RGB images, three (red, green, blue) for some devices.
    QImage imagen;
    bool último = false;
    int canal = 0;
    while (!último) {
        e = sane_start(d.h);
        SANE_Parameters p;
        if (e == SANE_STATUS_GOOD) e = sane_get_parameters(d.h, &p);
        if (e != SANE_STATUS_GOOD) {
            error = QStringLiteral("El escáner no pudo empezar: %1.").arg(Texto(e));
            return false;
        }
        if (p.depth != 8 && p.depth != 1) {
            error = QStringLiteral("El escáner entrega imágenes de %1 bits: no se pueden guardar.")
                        .arg(p.depth);
            return false;
        }
        std::vector<unsigned char> datos;
        std::vector<unsigned char> bloque(64 * 1024);
        for (;;) {
            SANE_Int leídos = 0;
            e = sane_read(d.h, bloque.data(), SANE_Int(bloque.size()), &leídos);
            if (e == SANE_STATUS_EOF) break;
            if (e != SANE_STATUS_GOOD) {
                error = QStringLiteral("Se interrumpió la lectura: %1.").arg(Texto(e));
                return false;
            }
            datos.insert(datos.end(), bloque.begin(), bloque.begin() + leídos);
        }
        const int ancho = p.pixels_per_line;
        const int bpl = p.bytes_per_line;
        const int alto = bpl > 0 ? int(datos.size() / size_t(bpl)) : 0;
        if (ancho <= 0 || alto <= 0) {
            error = QStringLiteral("El escáner no entregó ninguna imagen.");
            return false;
        }
        if (imagen.isNull()) {
            imagen = QImage(ancho, alto, QImage::Format_RGB32);
            imagen.fill(Qt::black);
        }
        for (int y = 0; y < std::min(alto, imagen.height()); ++y) {
            const unsigned char* fila = datos.data() + size_t(y) * size_t(bpl);
            QRgb* destino = reinterpret_cast<QRgb*>(imagen.scanLine(y));
            for (int x = 0; x < std::min(ancho, imagen.width()); ++x) {
                const auto bit = [&](int i) { return (fila[i / 8] >> (7 - i % 8)) & 1 ? 0 : 255; };
                int r, g, b;
                if (p.format == SANE_FRAME_RGB) {
                    r = p.depth == 8 ? fila[3 * x] : bit(3 * x);
                    g = p.depth == 8 ? fila[3 * x + 1] : bit(3 * x + 1);
                    b = p.depth == 8 ? fila[3 * x + 2] : bit(3 * x + 2);
                } else {
                    const int v = p.depth == 8 ? fila[x] : bit(x);
                    r = g = b = v;
                    if (p.format == SANE_FRAME_RED || p.format == SANE_FRAME_GREEN ||
                        p.format == SANE_FRAME_BLUE) {
                        const QRgb antes = destino[x];
                        r = p.format == SANE_FRAME_RED ? v : qRed(antes);
                        g = p.format == SANE_FRAME_GREEN ? v : qGreen(antes);
                        b = p.format == SANE_FRAME_BLUE ? v : qBlue(antes);
                    }
                }
                destino[x] = qRgb(r, g, b);
            }
        }
        último = p.last_frame || ++canal >= 3;
    }
    if (!imagen.save(archivo, "PNG")) {
        error = QStringLiteral("No se pudo guardar la imagen en %1.").arg(archivo);
        return false;
    }
    return true;
}
