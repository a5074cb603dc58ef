#include "app/Application.h"
#include "platform/Fonts.h"
#include "platform/SingleInstance.h"
#include "platform/TerminationSignal.h"
#include "ui/Afficher_Numero.h"
#include "ui/u_LISTE_TIRVO.h"

#include <cstdio>
#include <cstring>

namespace {

const char* const usage = "Usage: appel [--help | --version]\n"
                          "Poste d'appel des patients. Lit Ch.txt dans le dossier courant:\n"
                          "ligne 2 : nom du poste (barre d'état), ligne 4 : base de données\n"
                          "(chemin local, ou serveur:chemin).\n";

// Returns -1 to go on, or the exit code of an option that ends the program before any window.
int handleOptions(int argc, char** argv) {
    if (argc < 2)
        return -1;
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::fputs(usage, stdout);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("appel %s\n", STATION_VERSION);
        return 0;
    }
    std::fprintf(stderr, "appel: option inconnue : %s\n%s", argv[1], usage);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (const int code = handleOptions(argc, argv); code >= 0)
        return code;

    blockTerminationSignals();
    StationApplication application(argc, argv);
    registerStationFonts();
    quitOnTerminationSignals();
    StationEnvironment environment;
    environment.instanceKey = SingleInstance::defaultKey();
    TLISTE_TIRVO LISTE_TIRVO(environment);
    // Another instance runs and was asked to come forward: this one ends after its creation
    // handler, before its start timer could fire.
    if (LISTE_TIRVO.isSecondInstance())
        return 0;
    TFAfficher_Numero FAfficher_Numero;
    LISTE_TIRVO.attachDisplay(&FAfficher_Numero);
    LISTE_TIRVO.show();
    return application.exec();
}
