// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/commandline.h"

#include <QCommandLineParser>

namespace drovane {
namespace {

constexpr int usageErrorStatus = 2;
constexpr int largestZoom = 4;

CommandLine usageError(const QString& problem)
{
    CommandLine result;
    result.exitStatus = usageErrorStatus;
    result.text = QStringLiteral("drovane : %1 Essayez « drovane --help ».\n").arg(problem);
    return result;
}

CommandLine finished(const QString& text)
{
    CommandLine result;
    result.exitStatus = 0;
    result.text = text;
    return result;
}

QString dashed(const QString& optionName)
{
    return (optionName.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + optionName;
}

}  // namespace

CommandLine readCommandLine(const QStringList& arguments, const QString& scoresFolderVariable)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Drovane, un petit jeu d'arcade : pilotez un vaisseau au fond d'un couloir qui se resserre.\n"
                       "Les scores vont dans le dossier DROVANE_SCORES_DIR quand cette variable est définie.\n"
                       "Avec DROVANE_MUTE=1, le jeu reste muet, comme avec --mute.\n"
                       "\n"
                       "Touches pendant une partie :\n"
                       "  ← et →     pilotent le vaisseau\n"
                       "  P          met en pause et reprend\n"
                       "  M          coupe le son ou le rétablit (le choix est gardé)\n"
                       "  Ctrl+S     Valider : propose le score au tableau, qui peut le refuser\n"
                       "  R ou F2    Rejouer, après une partie perdue\n"
                       "  Ctrl+Q     Quitter ; au menu et sur un tableau des scores aussi\n"
                       "\n"
                       "Au menu, Tab passe de « Jouer » à « Afficher les scores » puis au mode choisi,\n"
                       "les flèches changent de mode et Entrée lance le mode choisi ; sur « Afficher les\n"
                       "scores », Entrée montre les scores du mode choisi. Sur un tableau des scores, Tab\n"
                       "mène à « Fin » et Échap le ferme comme sa case de fermeture : fermer la dernière\n"
                       "fenêtre termine le jeu."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Affiche cette aide."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Affiche la version du jeu."));
    const QCommandLineOption zoom(QStringLiteral("zoom"),
                                  QStringLiteral("Dessine les fenêtres N fois plus grandes (1 à 4)."),
                                  QStringLiteral("N"));
    const QCommandLineOption scoresDir(QStringLiteral("scores-dir"),
                                       QStringLiteral("Garde les cinq fichiers de scores dans ce dossier."),
                                       QStringLiteral("dossier"));
    const QCommandLineOption mute(QStringLiteral("mute"),
                                  QStringLiteral("Joue sans aucun son, quel que soit le choix fait avec la touche M."));
    parser.addOptions({help, version, zoom, scoresDir, mute});

    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty())
            return usageError(QStringLiteral("option inconnue « %1 ».").arg(dashed(unknown.constFirst())));
        return usageError(parser.errorText());
    }
    if (parser.isSet(help))
        return finished(parser.helpText());
    if (parser.isSet(version))
        return finished(QStringLiteral("drovane %1\n").arg(QStringLiteral(DROVANE_VERSION)));
    if (!parser.positionalArguments().isEmpty())
        return usageError(QStringLiteral("argument inattendu « %1 ».").arg(parser.positionalArguments().constFirst()));

    CommandLine result;
    result.options.mute = parser.isSet(mute);
    if (parser.isSet(zoom)) {
        bool isNumber = false;
        const QString value = parser.value(zoom);
        result.options.zoom = value.toInt(&isNumber);
        if (!isNumber || result.options.zoom < 1 || result.options.zoom > largestZoom)
            return usageError(QStringLiteral("--zoom attend un nombre entier de 1 à 4, pas « %1 ».").arg(value));
    }
    if (parser.isSet(scoresDir)) {
        result.options.scoresFolder = parser.value(scoresDir);
        if (result.options.scoresFolder.isEmpty())
            return usageError(QStringLiteral("--scores-dir attend un dossier."));
    } else {
        result.options.scoresFolder = scoresFolderVariable;
    }
    return result;
}

void applyZoom(int zoom)
{
    // Qt multiplies the screen's own scale by this factor; pictures are drawn without
    // smoothing, so each of their pixels becomes a crisp block, while text is laid out
    // at the real resolution.
    if (zoom > 0)
        qputenv("QT_SCALE_FACTOR", QByteArray::number(zoom));
}

}  // namespace drovane
