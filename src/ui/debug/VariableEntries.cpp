#include "VariableEntries.h"

#include <algorithm>

namespace tesso
{

namespace
{

struct Entry {
    const char* command;
    const char* reply;
    const char* description; // UTF-8
};

// clang-format off
const Entry Entries[VariableEntries::Count] = {
    {"#", "#", "envoi de toutes les variables"},
    {"@", "ADBG", "pointeur de debogage"},
    {">", "DDBG", "donnée pointée par ADDRDBG"},
    {"?", "DEV", "type d'appareil"},
    {"U", "UNIT", "fréq. de mesure des synchros d'entrées"},
    {"xi", "I_", "identifiant de la machine (version I)"},
    {"xk", "K_", "somme de contrôle du firmware clavier"},
    {"xs", "S_", "somme de contrôle du firmware scaler (informations)"},
    {"xv", "V_", "somme de contrôle du firmware scaler (vidéo)"},
    {"xU", "VERU", "version de mise à jour"},
    {"yo", "OPT", "options présentes ou détectées"},
    {"Y", "FRES", "retour aux réglages d'usine (sauf cadrages)"},
    {"CC", "CH", "nro d'entrée actuelle"},
    {"CN", "CHN", "nouveau nro d'entrée (sélection d'entrée)"},
    {"IL", "ILD", "durée ligne d'entrée, unit=1/UNIT"},
    {"IS", "ILSD", "durée synchro ligne d'entrée, unit=1/UNIT"},
    {"ID", "IFD", "durée trame d'entrée, en lignes"},
    {"IT", "IFSD", "durée synchro trame d'entrée, en lignes"},
    {"IP", "IPS", "présence synchro d'entrée"},
    {"IH", "IHP", "synchro ligne d'entrée positive"},
    {"IV", "IVP", "synchro trame d'entrée positive"},
    {"IK", "IST", "type de synchro d'entrée"},
    {"II", "IIN", "entrée entrelacée"},
    {"IO", "IOO", "entrée hors plage"},
    {"IF", "IFA", "famille du signal d'entrée"},
    {"H", "HP", "position horizontale"},
    {"V", "VP", "position verticale"},
    {"W", "HW", "taille horizontale"},
    {"S", "VS", "taille verticale"},
    {"B", "BRG", "luminosité (vidéo)"},
    {"D", "CON", "contraste (vidéo)"},
    {"O", "COL", "niveau de couleur (vidéo)"},
    {"T", "HUE", "teinte (vidéo NTSC)"},
    {"QP", "PRO", "traitement d'image (vidéo)"},
    {"QO", "OVR", "overscan (vidéo)"},
    {"QA", "ASP", "format d'image de l'entrée"},
    {"FM", "OFTM", "format de sortie"},
    {"oR", "ORTM", "fréquence trame de sortie"},
    {"FY", "OSYN", "type de synchro de sortie"},
    {"FO", "OBLK", "sortie au noir"},
    {"QS", "OASP", "format d'image de sortie"},
    {"FS", "SCRM", "type d'écran de sortie"},
    {"RC", "ACH", "entrée audio écoutée"},
    {"RO", "AMOD", "mode audio"},
    {"XR", "REFR", "type de référence demandé"},
    {"XA", "REFA", "type de référence utilisé"},
    {"XF", "REFF", "famille du signal de référence"},
    {"XT", "REFT", "fréquence trame du signal de référence"},
    {"PC", "PCH", "nro d'entrée dont les paramètres sont adressés (0 à 8)"},
    {"PE", "PEN", "entrée validée (index = PCHAN)"},
    {"PR", "PRGB", "type de signal d'entrée (index = PCHAN)"},
    {"PI", "PSTD", "standard vidéo à décoder (index = PCHAN)"},
    {"PP", "PPRC", "mode magnétoscope (index = PCHAN)"},
    {"yS", "STO", "enregistrement des données dans la flash, ne pas couper la machine"},
    {"yP", "PRES", "retour aux réglages d'image standard"},
    {"ye", "EPOS", "effacement des positions enregistrées"},
    {"yC", "ACAD", "cadrage automatique d'une entrée ordinateur"},
    {"Z", "FRZ", "gel de l'image d'entrée"},
    {"QE", "EPD", "traitement 2:2 pull-down automatique"},
    {"ut", "TKEV", "action TAKE possible"},
    {"yl", "LOCK", "verrouillage des entrées"},
    {"oT", "OST", "délai d'accrochage de l'affichage (temps de noir)"},
    {"oY", "OTYP", "type de sortie"},
    {"sT", "STBT", "temps avant la veille"},
    {"sS", "STBY", "veille"},
    {"oP", "OPAT", "mire de cadrage"},
    {"ne", "LANE", "LAN validé"},
    {"nr", "LANR", "Retour des paramètres LAN aux valeurs d'usine (IP4, IP3, IP2, IP1, PORT, NETMASK)"},
    {"ns", "LANS", "Prise en compte des paramètres LAN( IP4, IP3, IP2, IP1, PORT, NETMASK)"},
    {"na", "ADIP", "choix de l'adresse adressée (locale, distante, passerelle)"},
    {"nw", "IPA_", "IP4, premier octet de l'adresse choisie"},
    {"nx", "IPB_", "IP3, deuxième octet de l'adresse choisie"},
    {"ny", "IPC_", "IP2, troisième octet de l'adresse choisie"},
    {"nz", "IPD_", "IP1, quatrième octet de l'adresse choisie"},
    {"np", "PORT", "port de l'adresse choisie"},
    {"nk", "NTMK", "masque de sous-réseau (nombre de bits hôte)"},
    {"nd", "DHCP", "DHCP validé"},
    {"nt", "TCP", "protocole IP du port LAN"},
    {"fM", "FAMD", "mode d'utilisation de la Frame Alert"},
    {"fX", "FAEX", "demande d'enregistrement d'une image"},
    {"fR", "FARC", "Frame Alert utilisée"},
    {"fN", "FANB", "numéro de la Frame Alert"},
    {"fA", "FAAU", "Frame Alert automatique sur perte de synchro"},
    {"fs", "FASW", "demande d'affichage de la Frame Alert"},
    {"fF", "FAIF", "information de la Frame Alert"},
    {"fE", "FAER", "erreur de la Frame Alert"},
    {"fT", "FATM", "indicateur d'image enregistrée"},
    {"fS", "FAST", "état d'affichage de la Frame Alert"},
    {"CR", "CR", "entrée de référence en mode seamless"},
    {"Cr", "Cr", "entrée de référence en cours d'utilisation"},
    {"sM", "sM", "mode de commutation des entrées"},
    {"rL", "rL", "durée ligne de l'entrée de référence"},
    {"rS", "rS", "durée synchro ligne de l'entrée de référence"},
    {"rD", "rD", "durée trame de l'entrée de référence"},
    {"rT", "rT", "durée synchro trame de l'entrée de référence"},
    {"rP", "rP", "présence synchro sur l'entrée de référence"},
    {"rH", "rH", "synchro ligne positive sur l'entrée de référence"},
    {"rV", "rV", "synchro trame positive sur l'entrée de référence"},
    {"rK", "rK", "type de synchro de l'entrée de référence"},
    {"rO", "rO", "entrée de référence hors plage"},
    {"rF", "rF", "famille du signal de l'entrée de référence"},
    {"RM", "MUTE", "coupure du son"},
    {"eT", "eT", "type d'effet de transition"},
    {"FD", "FDur", "Durée de la transition en fade"},
    {"tS", "TitS", "Début de la zone de titrage"},
    {"tH", "TitH", "Hauteur de la zone de titrage"},
    {"tA", "TitA", "Transparence de la zone de titrage"},
    {"PC", "PCH", "nro d'entrée dont les paramètres sont adressés (0 à 8)"},
    {"uT", "TAKE", "action TAKE"},
    {"eS", "eS", "type d'effet réellement utilisé"},
    {"uA", "ATAK", "TAKE automatique"},
    {"ta", "Tita", "voie audio pendant le titrage"},
    {"tM", "TitM", "dernière ligne autorisée pour la zone de titrage"},
    {"tH", "TitH", "TITLEHOLD Titrage maintenu jusqu'à nouveau TAKE"},
    {"PA", "PRAR", "REFASP Aspect ratio de la voie de référence (index = PCHAN) 0 = Normal 1 = Wide"},
};
// clang-format on

constexpr int CommandWidth = 14;
constexpr int ReplyWidth = 8;

QChar folded(QChar c)
{
    return c >= QLatin1Char('A') && c <= QLatin1Char('Z') ? QChar(c.unicode() + ('a' - 'A')) : c;
}

} // namespace

QStringList VariableEntries::BuildOrder()
{
    QStringList texts;
    texts.reserve(Count);
    for (const Entry& e : Entries)
        texts << QString::fromLatin1(e.command).leftJustified(CommandWidth) +
                     QString::fromLatin1(e.reply).leftJustified(ReplyWidth) +
                     QString::fromUtf8(e.description);
    return texts;
}

QStringList VariableEntries::Sorted()
{
    QStringList texts = BuildOrder();
    std::stable_sort(texts.begin(), texts.end(), LessThan);
    return texts;
}

bool VariableEntries::LessThan(const QString& a, const QString& b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const QChar x = folded(a[i]), y = folded(b[i]);
        if (x != y)
            return x < y;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

QString VariableEntries::FirstWord(const QString& entry)
{
    const qsizetype space = entry.indexOf(QLatin1Char(' '));
    return space < 0 ? entry : entry.left(space);
}

QString VariableEntries::SecondWord(const QString& entry)
{
    qsizetype i = entry.indexOf(QLatin1Char(' '));
    if (i < 0)
        return {};
    while (i < entry.size() && entry[i] == QLatin1Char(' '))
        ++i;
    const qsizetype end = entry.indexOf(QLatin1Char(' '), i);
    return entry.mid(i, end < 0 ? -1 : end - i);
}

} // namespace tesso
