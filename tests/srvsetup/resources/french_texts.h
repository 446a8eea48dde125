// The string table as LoadStringA must hand it out: code page 1252 bytes (0xE9 for e acute,
// 0xA0 for the no-break space), trailing blanks included. Indexed by string id, each line's
// comment giving its first; null where the table has no entry (0 and 68).
#pragma once

#include <iterator>

inline const char* const kFrenchTexts[] = {
    /*  0 */ nullptr,
    /*  1 */ "Nom du serveur", "Options partie ", "Type de partie", "Sant\xE9", "R\xE9" "alisme",
    /*  6 */ "Vitesse course rapide ", "Dommages \xE9quipe", "Vitesse de gu\xE9rison", "Carte", "Rotation carte",
    /* 11 */ "Serveur d\xE9" "di\xE9 VELDORA, version 1.0.0.1", "Joueurs max.", "Limite de temps", "Limite de frag",
    /* 15 */ "Temps rotation carte", "Temps de repos ", "D\xE9lai apparition \xE9quipe",
    /* 18 */ "D\xE9sactiver mode spectateur ", "Exclusion des inactifs ", "Utiliser GameSpy ",
    /* 21 */ "Param\xE8tres additionnels", "Temps d'invuln\xE9rabilit\xE9", "Avertissement TC", "Exclusion TC",
    /* 25 */ "D\xE9lai changement \xE9quipe", "Temps d'admission", "Gravit\xE9", "Clients priv\xE9s", "Mot de passe",
    /* 30 */ "Mots-cl\xE9", "Port r\xE9seau", "Ping min.", "Ping max. ", "Taux max.", "Compatible", "Permettre vote",
    /* 37 */ "Protection inondation", "Forcer spectateur", "Forcer reprise", "Forcer r\xE9" "apparition",
    /* 41 */ "Pas de dommage de chute", "Munitions illimit\xE9" "es", "Se pencher en courant", "Lunette Kar98",
    /* 45 */ "Fusil \xE0 pompe", "Options r\xE9seau", "Drapeaux", "Param\xE8tres additionnels",
    /* 49 */ "Param\xE8tres avanc\xE9s", "Utilitaire de lancement de serveur de VELDORA", "Libre",
    /* 52 */ "Match en \xE9quipe", "Contre horloge", "Par objectif", "Guerre totale", "Instantan\xE9" "e", "5/sec.",
    /* 58 */ "10/sec.", "20/sec.", "S\xE9lection", "Liste des cartes", "Options rotation carte",
    /* 63 */ "Liste des rotations", "Haut", "Bas", "Cr\xE9\xE9 par", "des outils du serveur",
    /* 68 */ nullptr,
    /* 69 */ "Avanc\xE9s", "Par d\xE9" "faut", "Lancer serveur", "Appliquer", "Rotation", "OK", "Annuler",
    /* 76 */ "Attention", "Veuillez s\xE9lectionner une carte\xA0!",
};

// One past the last id the table holds.
constexpr int kStringCount = static_cast<int>(std::size(kFrenchTexts));
