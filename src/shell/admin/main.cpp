// candora-admin: the store's tasks from the command line, for administrators and scripts.

#include "shell/admin/Comandos.h"
#include "store/Archivos.h"
#include "store/Conexion.h"
#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"

#include <QCoreApplication>
#include <QFileDevice>
#include <QGuiApplication>

#include <cstdio>

namespace {

void mostrarUso(QTextStream& s, const std::vector<Comando>& comandos) {
    s << "Uso: candora-admin [--base RUTA | --servidor 'host=… dbname=…'] COMANDO "
         "[ARGUMENTOS]\n\n"
         "  --base RUTA       usa ese archivo como base local, tal como está\n"
         "  --servidor TEXTO  usa la base de ese servidor PostgreSQL\n\nComandos:\n";
    for (const Comando& c : comandos) s << "  " << QString::fromUtf8(c.uso) << '\n';
}

// A page written as PDF is drawn with Qt's fonts, which need a GUI application:
// made, without any display, only when an argument names a .pdf file.
bool EscribePdf(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (QByteArray(argv[i]).toLower().endsWith(".pdf")) return true;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    const bool pdf = EscribePdf(argc, argv);
    if (pdf && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's own notes on the platform are no concern of the command's user.
    if (pdf)
        qInstallMessageHandler([](QtMsgType t, const QMessageLogContext&, const QString& m) {
            if (t == QtCriticalMsg || t == QtFatalMsg) fprintf(stderr, "%s\n", qPrintable(m));
        });
    const std::unique_ptr<QCoreApplication> aplicación(pdf ? new QGuiApplication(argc, argv)
                                                           : new QCoreApplication(argc, argv));
    QCoreApplication& app = *aplicación;
    QCoreApplication::setOrganizationName(QStringLiteral("Candora"));
    QCoreApplication::setApplicationName(QStringLiteral("Candora"));
    // Who the audit log names: the login name, unless a command's --usuario says otherwise.
    UsuarioActual = qEnvironmentVariable("USER");
    QTextStream salida(stdout);
    QTextStream errores(stderr);
    Contexto contexto{{}, {}, salida, errores};

    std::vector<Comando> comandos;
    ComandosAlmacen(comandos);
    ComandosFichas(comandos);
    ComandosBusquedas(comandos);
    ComandosImportar(comandos);
    ComandosPaginas(comandos);
    ComandosDocumentos(comandos);
    ComandosDuplicados(comandos);
    ComandosPrivacidad(comandos);

    QStringList args = app.arguments().mid(1);
    while (!args.isEmpty() && args.first().startsWith(QLatin1String("--"))) {
        const QString opción = args.takeFirst();
        if (opción == QLatin1String("--base") && !args.isEmpty()) {
            contexto.base = args.takeFirst();
        } else if (opción == QLatin1String("--servidor") && !args.isEmpty()) {
            contexto.servidor = args.takeFirst();
        } else if (opción == QLatin1String("--ayuda") || opción == QLatin1String("--help")) {
            mostrarUso(salida, comandos);
            return 0;
        } else {
            errores << "Opción desconocida: " << opción << '\n';
            mostrarUso(errores, comandos);
            return 2;
        }
    }
    if (args.isEmpty()) {
        mostrarUso(errores, comandos);
        return 2;
    }
    const QString nombre = args.takeFirst();
    for (const Comando& c : comandos) {
        if (nombre != QString::fromUtf8(c.nombre)) continue;
        int código = 1;
        try {
            código = c.ejecutar(contexto, args);
        } catch (const ErrorAlmacen& e) {
            errores << e.textoUsuario() << '\n';
            if (!e.sql().isEmpty()) errores << "Instrucción: " << e.sql() << '\n';
        } catch (const std::exception& e) {
            errores << "Error: " << e.what() << '\n';
        }
        salida.flush();
        // A full disk behind the standard output: what was written is incomplete.
        if (salida.status() != QTextStream::Ok) {
            const auto* f = qobject_cast<const QFileDevice*>(salida.device());
            errores << "No se pudo escribir la salida: "
                    << (f ? MotivoDeEscritura(*f) : QStringLiteral("error desconocido.")) << '\n';
            if (código == 0) código = 1;
        }
        errores.flush();
        dic.reset();
        return código;
    }
    errores << "Comando desconocido: " << nombre << '\n';
    mostrarUso(errores, comandos);
    return 2;
}
