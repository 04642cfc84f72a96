#include "DLanguageTable.h"

// Every text of the user interface, English and Italian side by side.
// Rows stay sorted by id: the lookup relies on it. Inside a text, %d takes
// an integer and %s a text, in order; both columns of a row must carry the
// same placeholders in the same order.
extern const DLanguageEntry kLanguageTable[] = {
    // Main window: command hints
    {10000, u"Create a new test", u"Crea un nuovo test"},
    {10010, u"Open an existing test", u"Apri un test esistente"},
    {10020, u"Save the test", u"Salva il test"},
    {10030, u"Save the test in a new file", u"Salva il test in un nuovo file"},
    {10040, u"Select the language to use", u"Seleziona la lingua da utilizzare"},
    {10050, u"View the program information", u"Visualizza le informazioni sul programma"},
    {10060, u"View the help", u"Visualizza la guida"},
    {10070, u"Exit the program", u"Esci dal programma"},

    // Main window: tab captions
    {10500, u"Questions", u"Domande"},
    {10510, u"Subjects", u"Soggetti"},
    {10520, u"Answers", u"Risposte"},

    // Questions page and questions options dialog
    {11000, u"Summary", u"Riepilogo"},
    {11010, u"%d questions: %d positive, %d negative", u"%d domande: %d positiva/e, %d negativa/e"},
    {11020, u"%d answers for each question", u"%d risposte per ogni domanda"},
    {11030, u"Modify the questions options", u"Modifica le opzioni delle domande"},
    {11040, u"Import the questions from another file", u"Importa le domande da un altro file"},
    {11200, u"N.", u"N°"},
    {11210, u"Type", u"Tipo"},
    {11220, u"Text", u"Testo"},
    {11500, u"Questions options", u"Opzioni delle domande"},
    {11510, u"Number of questions", u"Numero di domande"},
    {11520, u"Total number of questions used in the test", u"Numero totale di domande utilizzate nel test"},

    // Subjects page and subjects options dialog
    {12000, u"Summary", u"Riepilogo"},
    {12010, u"%d subjects: %d female, %d male", u"%d soggetti: %d femmine, %d maschi"},
    {12020, u"Description", u"Descrizione"},
    {12030, u"Modify the subjects options", u"Modifica le opzioni dei soggetti"},
    {12040, u"Import the subjects from another file", u"Importa i soggetti da un altro file"},
    {12050, u"Import the name of the subjects from the clipboard", u"Importa il nome dei soggetti dagli appunti"},
    {12200, u"N.", u"N°"},
    {12210, u"Surname", u"Cognome"},
    {12220, u"Name", u"Nome"},
    {12230, u"Sex", u"Sesso"},
    {12240, u"Note", u"Note"},
    {12250, u"None", u"No"},
    {12500, u"Subjects options", u"Opzioni dei soggetti"},
    {12510, u"Number of subjects", u"Numero di soggetti"},
    {12520, u"Total number of tested subjects", u"Numero totale di soggetti esaminati"},

    // Subject names import dialog and its line formats
    {13000, u"Import the names of the subjects", u"Importa i nomi dei soggetti"},
    {13100, u"Source text", u"Testo sorgente"},
    {13110,
     u"The text must be divided into rows.\n"
     u"Each line must contain only one subject: the names, then a sex (F or M) and a note if you like, "
     u"separated by tabs.\n"
     u"A name already in the list keeps its subject, with its answers.",
     u"Il testo deve essere suddiviso in righe.\n"
     u"Ogni riga deve contenere un solo soggetto: i nomi, poi se si vuole sesso (F o M) e nota, "
     u"separati da tabulazioni.\n"
     u"Un nome già presente nell'elenco mantiene il suo soggetto, con le sue risposte."},
    {13200, u"Text line format", u"Formato delle righe di testo"},
    {13210, u"Select the format corresponding to each line of the source text",
     u"Seleziona il formato corrispondente a ogni riga del testo sorgente"},
    {13220, u"Surname, Name", u"Cognome, Nome"},
    {13230, u"Name, Surname", u"Nome, Cognome"},
    {13240, u"Surname Name", u"Cognome Nome"},
    {13250, u"Name Surname", u"Nome Cognome"},
    {13260, u"Name", u"Nome"},
    {13270, u"Surname", u"Cognome"},

    // Answers page
    {14010, u"Question n.%d", u"Domanda n°%d"},
    {14020, u"Answer n.%d", u"Risposta n°%d"},
    {14030, u"Answers", u"Risposte"},
    {14040, u"%d of %d", u"%d di %d"},
    {14100, u"Modify the answers options", u"Modifica le opzioni delle risposte"},

    // Answers options dialog
    {15000, u"Number of answers for each question", u"Numero di risposte per ogni domanda"},
    {15010, u"Number of expected answers for each question", u"Numero di risposte previste per ogni domanda"},
    {15020, u"Answers options", u"Opzioni delle risposte"},
    {15030, u"Subjects list", u"Elenco dei soggetti"},
    {15040, u"Select the display order of the list of subjects for the selection of an answer",
     u"Seleziona l'ordine di visualizzazione dell'elenco dei soggetti "
     u"per la scelta di una risposta"},
    {15050, u"Surname Name", u"Cognome Nome"},
    {15060, u"Name Surname", u"Nome Cognome"},

    // Language dialog
    {16000, u"Select the language", u"Seleziona la lingua"},
    {16010, u"Available languages", u"Lingue disponibili"},

    // Bar graph page
    {17000, u"Show/hide bar graph options", u"Mostra/nascondi le opzioni del grafico a barre"},
    {17001, u"Bar graph", u"Grafico a barre"},
    {17010, u"Copy the image of the bar graph to the clipboard", u"Copia l'immagine del grafico a barre negli appunti"},
    {17020, u"Subjects", u"Soggetti"},
    {17030, u"Acceptance", u"Accettazioni"},
    {17040, u"Rejection", u"Rifiuti"},
    {18110, u"Height of bars", u"Altezza delle barre"},
    {18120,
     u"Is the number of selections received by the subjects.\n"
     u"It's possible to choose between:\n"
     u"1) total number of selections received\n"
     u"2) number of persons who have selected the subject",
     u"È il numero di scelte ricevute dai soggetti.\n"
     u"È possibile scegliere tra:\n"
     u"1) numero totale di scelte ricevute\n"
     u"2) numero di persone che hanno scelto il soggetto"},
    {18130, u"Total selections", u"Scelte totali"},
    {18140, u"Subjects choices", u"Scelte dei soggetti"},
    {18200, u"Data source", u"Origine dei dati"},
    {18210,
     u"Is the set of questions proposed to the subjects.\n"
     u"Will be displayed only answers to selected questions",
     u"È l'insieme delle domande proposte ai soggetti.\n"
     u"Saranno visualizzate solo le risposte alle domande selezionate"},
    {18220, u"Question n.%d", u"Domanda n°%d"},
    {18300, u"Ordering subjects", u"Ordinamento dei soggetti"},
    {18310,
     u"Select the order used to display the subjects.\n"
     u"You can choose between these criteria:\n"
     u"1) keep the order used during the insertion of the subjects in the list\n"
     u"2) acceptance in descending order\n"
     u"3) rejection in descending order",
     u"Seleziona l'ordine usato per visualizzare i soggetti.\n"
     u"È possibile scegliere tra questi criteri:\n"
     u"1) mantenere l'ordine usato durante l'inserimento dei soggetti nell'elenco\n"
     u"2) accettazioni in ordine decrescente\n"
     u"3) rifiuti in ordine decrescente"},
    {18320, u"As in the list", u"Come nell'elenco"},
    {18330, u"Acceptance in descending order", u"Accettazioni in ordine decrescente"},
    {18340, u"Rejection in descending order", u"Rifiuti in ordine decrescente"},
    {18400, u"Scale of bars", u"Scala delle barre"},
    {18410, u"Select the scale for displaying the bars of acceptance and rejection",
     u"Seleziona la scala di visualizzazione delle barre di accettazione e di rifiuto"},
    {18420, u"1:1", u"1:1"},
    {18430, u"1:2", u"1:2"},
    {18440, u"1:4", u"1:4"},
    {18450, u"1:8", u"1:8"},
    {18460, u"1:16", u"1:16"},

    // Target diagram page
    {21000, u"Show/hide target graph options", u"Mostra/nascondi le opzioni del grafico a bersaglio"},
    {21001, u"Target graph", u"Grafico a bersaglio"},
    {21010, u"Copy the image of the target graph to the clipboard",
     u"Copia l'immagine del grafico a bersaglio negli appunti"},
    {21100, u"A) Popular", u"A) Popolari"},
    {21110, u"B) Liked more than disliked", u"B) Più accettati che rifiutati"},
    {21120, u"C) Disliked more than liked", u"C) Più rifiutati che accettati"},
    {21130, u"D) Controversial", u"D) Controversi"},
    {21140, u"E) Rejected", u"E) Rifiutati"},
    {21150, u"F) Neglected", u"F) Ignorati"},
    {21200, u"A) Popular", u"A) Popolari"},
    {21210, u"B) Rejected", u"B) Rifiutati"},
    {21220, u"C) Neglected", u"C) Ignorati"},
    {21230, u"D) Controversial", u"D) Controversi"},
    {21240, u"E) Average", u"E) Nella media"},
    {22100, u"Subjects and categories", u"Soggetti e categorie"},
    {22110,
     u"The subjects are divided into categories.\n"
     u"The membership of a person to a category is determined by the choice of one of "
     u"the following algorithms:\n"
     u"1) acceptance rate of the subject versus the average frequency of acceptances\n"
     u"2) calculation of social preference and social impact",
     u"I soggetti sono suddivisi in categorie.\n"
     u"L'appartenenza di una persona a una categoria è determinata dalla scelta di uno "
     u"dei seguenti algoritmi:\n"
     u"1) frequenza delle accettazioni del soggetto rispetto alla frequenza media delle "
     u"accettazioni\n"
     u"2) calcolo della preferenza sociale e dell'impatto sociale"},
    {22120, u"Frequency of positive questions", u"Frequenza delle domande positive"},
    {22130, u"Social preference and social impact", u"Preferenza sociale e impatto sociale"},
    {22200, u"Data source", u"Origine dei dati"},
    {22210,
     u"Is the set of questions proposed to the subjects.\n"
     u"Will be displayed only answers to selected questions",
     u"È l'insieme delle domande proposte ai soggetti.\n"
     u"Saranno visualizzate solo le risposte alle domande selezionate"},
    {22220, u"Question n.%d", u"Domanda n°%d"},
    {22300, u"Subject informations", u"Informazioni sul soggetto"},
    {22310,
     u"The subject is represented by a circle or a square containing some informations.\n"
     u"It's possible to choose the following modes:\n"
     u"1) large: displays the identifier, 3 characters of the surname and 3 characters "
     u"of the name\n"
     u"2) small size: display only the identifier",
     u"Il soggetto è rappresentato da un cerchio o da un quadrato contenente alcune "
     u"informazioni.\n"
     u"È possibile scegliere le seguenti modalità:\n"
     u"1) grande: visualizza l'identificativo, 3 caratteri del cognome e 3 caratteri "
     u"del nome\n"
     u"2) ridotta: visualizza solo l'identificativo"},
    {22320, u"Ident and name", u"Identificativo e nome"},
    {22330, u"Only ident", u"Solo identificativo"},

    // Sociogram page
    {23000, u"Show/hide sociogram options", u"Mostra/nascondi le opzioni del sociogramma"},
    {23001, u"Sociogram", u"Sociogramma"},
    {23010, u"Copy the image of the sociogram to the clipboard", u"Copia l'immagine del sociogramma negli appunti"},
    {23100, u"First choice", u"Prima scelta"},
    {23110, u"Second choice", u"Seconda scelta"},
    {23120, u"Third choice or more", u"Terza scelta o successive"},
    {23130, u"Acceptance (positive choices)", u"Accettazione (scelte positive)"},
    {23140, u"Rejection (negative choices)", u"Rifiuto (scelte negative)"},
    {24100, u"Type", u"Tipo"},
    {24110,
     u"You can create two types of sociogram:\n"
     u"1) acceptance, use the answers to positive questions\n"
     u"2) rejection, use the answers to negative questions",
     u"È possibile creare due tipi di sociogramma:\n"
     u"1) accettazione, usa le risposte alle domande positive\n"
     u"2) rifiuto, usa le risposte alle domande negative"},
    {24120, u"Acceptance", u"Accettazione"},
    {24130, u"Rejection", u"Rifiuto"},
    {24200, u"Subject informations", u"Informazioni sul soggetto"},
    {24210,
     u"The subject is represented by a circle or a square containing some informations.\n"
     u"It's possible to choose the following modes:\n"
     u"1) large: displays the identifier, 3 characters of the surname and 3 characters "
     u"of the name\n"
     u"2) small size: display only the identifier",
     u"Il soggetto è rappresentato da un cerchio o da un quadrato contenente alcune "
     u"informazioni.\n"
     u"È possibile scegliere le seguenti modalità:\n"
     u"1) grande: visualizza l'identificativo, 3 caratteri del cognome e 3 caratteri "
     u"del nome\n"
     u"2) ridotta: visualizza solo l'identificativo"},
    {24220, u"Ident and name", u"Identificativo e nome"},
    {24230, u"Only ident", u"Solo identificativo"},
    {24300, u"Data source", u"Origine dei dati"},
    {24310,
     u"Is the set of questions proposed to the subjects.\n"
     u"Will be displayed only answers to selected questions",
     u"È l'insieme delle domande proposte ai soggetti.\n"
     u"Saranno visualizzate solo le risposte alle domande selezionate"},
    {24320, u"Question n.%d", u"Domanda n°%d"},
    {24400, u"Chart size", u"Dimensioni del grafico"},
    {24410, u"Changing the size of the graph of acceptance and rejection",
     u"Modifica delle dimensioni del grafico di accettazione e di rifiuto"},
    {24420, u"Width", u"Larghezza"},
    {24430, u"Chart width measured in pixels", u"Larghezza del grafico misurata in pixel"},
    {24440, u"Height", u"Altezza"},
    {24450, u"Chart height measured in pixels", u"Altezza del grafico misurata in pixel"},
    {24460, u"Update", u"Aggiorna"},
    {24470, u"Changing the graph size using the specified width and height values",
     u"Modifica delle dimensioni del grafico con i valori di larghezza e altezza indicati"},
    {24500, u"Moving subject", u"Spostamento del soggetto"},
    {24510,
     u"Display mode of the connections during the movement of a subject.\n"
     u"Types available:\n"
     u"1) fast pc, shows the complete connections\n"
     u"2) slow pc, displays only the elastic",
     u"Modalità di visualizzazione dei collegamenti durante lo spostamento di un soggetto.\n"
     u"Tipi disponibili:\n"
     u"1) pc veloce, mostra i collegamenti completi\n"
     u"2) pc lento, visualizza solo l'elastico"},
    {24520, u"Complete connections", u"Collegamenti completi"},
    {24530, u"Only elastic", u"Solo elastico"},

    // Metric table page
    {25000, u"Metrics", u"Metriche"},
    {25010, u"Show/hide metrics table options", u"Mostra/nascondi le opzioni della tabella delle metriche"},
    {25020, u"Copy the image of the metrics table to the clipboard",
     u"Copia l'immagine della tabella delle metriche negli appunti"},
    {25030, u"Data source", u"Origine dei dati"},
    {25040,
     u"Is the set of questions proposed to the subjects.\n"
     u"Will be counted only the answers to selected questions",
     u"È l'insieme delle domande proposte ai soggetti.\n"
     u"Saranno conteggiate solo le risposte alle domande selezionate"},
    {25050, u"Question n.%d", u"Domanda N°%d"},
    {25060, u"Ordering subjects", u"Ordinamento dei soggetti"},
    {25070,
     u"Select the order used to display the subjects.\n"
     u"You can choose between these criteria:\n"
     u"1) keep the order used during the insertion of the subjects in the list\n"
     u"2) acceptance received (in-degree)\n"
     u"3) acceptance given (out-degree)\n"
     u"4) rejection received (in-degree)\n"
     u"5) rejection given (out-degree)",
     u"Seleziona l'ordine usato per visualizzare i soggetti.\n"
     u"È possibile scegliere tra questi criteri:\n"
     u"1) mantenere l'ordine usato durante l'inserimento dei soggetti nell'elenco\n"
     u"2) accettazioni ricevute (grado entrante)\n"
     u"3) accettazioni date (grado uscente)\n"
     u"4) rifiuti ricevuti (grado entrante)\n"
     u"5) rifiuti dati (grado uscente)"},
    {25080, u"Export the data to a CSV text file", u"Esporta i dati in un file di testo CSV"},
    {25200, u"N.", u"N°"},
    {25210, u"Surname", u"Cognome"},
    {25220, u"Name", u"Nome"},
    {25230, u"Acceptance", u"Accettazioni"},
    {25240, u"Rejection", u"Rifiuti"},
    {25250, u"Received", u"Ricevuti"},
    {25260, u"Given", u"Dati"},
    {25270, u"Value", u"Valore"},
    {25280, u"Density", u"Densità"},
    {25500, u"As in the list", u"Come nell'elenco"},
    {25510, u"Acceptance received", u"Accettazioni ricevute"},
    {25520, u"Acceptance given", u"Accettazioni date"},
    {25530, u"Rejection received", u"Rifiuti ricevuti"},
    {25540, u"Rejection given", u"Rifiuti dati"},

    // Undo and redo: the commands, and what each step changed
    {26000, u"Undo", u"Annulla"},
    {26010, u"Redo", u"Ripeti"},
    {26020, u"Undo: %s", u"Annulla: %s"},
    {26030, u"Redo: %s", u"Ripeti: %s"},
    {26100, u"text of question %d", u"testo della domanda %d"},
    {26110, u"type of question %d", u"tipo della domanda %d"},
    {26120, u"number of questions", u"numero di domande"},
    {26130, u"import of questions", u"importazione delle domande"},
    {26200, u"surname of subject %d", u"cognome del soggetto %d"},
    {26210, u"name of subject %d", u"nome del soggetto %d"},
    {26220, u"sex of subject %d", u"sesso del soggetto %d"},
    {26230, u"note of subject %d", u"nota del soggetto %d"},
    {26240, u"description of the group", u"descrizione del gruppo"},
    {26250, u"number of subjects", u"numero di soggetti"},
    {26260, u"import of names", u"importazione dei nomi"},
    {26270, u"import of subjects", u"importazione dei soggetti"},
    {26300, u"answer %d of question %d for %s", u"risposta %d alla domanda %d di %s"},
    {26310, u"answers per question", u"risposte per domanda"},
    {26320, u"order of names", u"ordine dei nomi"},
    {26400, u"bar graph options", u"opzioni del grafico a barre"},
    {26410, u"target graph options", u"opzioni del grafico a bersaglio"},
    {26420, u"sociogram options", u"opzioni del sociogramma"},
    {26430, u"metrics options", u"opzioni delle metriche"},
    {26440, u"move of %s in the sociogram", u"spostamento di %s nel sociogramma"},
    {26450, u"arrangement of the sociogram", u"disposizione del sociogramma"},
    {26460, u"pins of the sociogram", u"riquadri fissati del sociogramma"},
    {26470, u"working groups settings", u"impostazioni dei gruppi di lavoro"},

    // Questions before a change that removes or overwrites entered data, and
    // the recovery copies
    {26500,
     u"Lowering the number of questions from %d to %d removes these questions with their texts and their answers "
     u"(%d answers in all):",
     u"Riducendo il numero delle domande da %d a %d si eliminano queste domande con i loro testi e le loro risposte "
     u"(%d risposte in tutto):"},
    {26510, u"Question %d: \"%s\", answers: %d", u"Domanda %d: \"%s\", risposte: %d"},
    {26520, u"Question %d (no text), answers: %d", u"Domanda %d (senza testo), risposte: %d"},
    {26530, u"Lowering the number of answers per question from %d to %d removes %d answers already entered.",
     u"Riducendo il numero delle risposte per domanda da %d a %d si eliminano %d risposte già inserite."},
    {26540,
     u"Lowering the number of subjects from %d to %d removes these subjects with their data and %d answers (given "
     u"by them or naming them):",
     u"Riducendo il numero dei soggetti da %d a %d si eliminano questi soggetti con i loro dati e %d risposte (date "
     u"da loro o che li nominano):"},
    {26550, u"Subject %d: %s, answers: %d", u"Soggetto %d: %s, risposte: %d"},
    {26560, u"Subject %d (no name), answers: %d", u"Soggetto %d (senza nome), risposte: %d"},
    {26570, u"... and %d more", u"... e altri %d"},
    {26600, u"Importing the questions of \"%s\" (%d questions):", u"Importando le domande di \"%s\" (%d domande):"},
    {26610, u"- the texts, types and analysis selections of %d questions already written are replaced",
     u"- vengono sostituiti i testi, i tipi e le selezioni per le analisi di %d domande già scritte"},
    {26620, u"- questions %d to %d are removed with their texts and %d answers",
     u"- le domande da %d a %d vengono eliminate con i loro testi e %d risposte"},
    {26630, u"- the %d answers already given to questions 1 to %d stay with those question numbers",
     u"- le %d risposte già date alle domande da 1 a %d restano legate a quei numeri di domanda"},
    {26640, u"Importing the subjects of \"%s\" (%d subjects):", u"Importando i soggetti di \"%s\" (%d soggetti):"},
    {26650, u"- the surname, name, sex, note and sociogram places of %d subjects already entered are replaced",
     u"- vengono sostituiti cognome, nome, sesso, nota e posizioni nel sociogramma di %d soggetti già inseriti"},
    {26660, u"- the description of the group is replaced", u"- viene sostituita la descrizione del gruppo"},
    {26670, u"- subjects %d to %d are removed with their data and %d answers (given by them or naming them)",
     u"- i soggetti da %d a %d vengono eliminati con i loro dati e %d risposte (date da loro o che li nominano)"},
    {26680, u"- the %d answers already given by subjects 1 to %d stay with those subject numbers",
     u"- le %d risposte già date dai soggetti da 1 a %d restano legate a quei numeri di soggetto"},
    {26700,
     u"Importing names (lines: %d) into the list of %d subjects; each name finds its subject by surname and name:",
     u"Importazione dei nomi (righe: %d) nell'elenco di %d soggetti; ogni nome ritrova il suo soggetto per cognome e "
     u"nome:"},
    {26710,
     u"- names that find their subject (%d): each subject keeps its answers given and received, its places and "
     u"pins in the sociogram and its working-group pairs",
     u"- nomi che ritrovano il loro soggetto (%d): ogni soggetto conserva le risposte date e ricevute, le posizioni "
     u"e i fissaggi nel sociogramma e le coppie dei gruppi di lavoro"},
    {26715, u"- subjects that take a new number (%d), with all their data; the answers naming them follow: %s",
     u"- soggetti che cambiano numero (%d), con tutti i loro dati; le risposte che li nominano li seguono: %s"},
    {26720, u"- new subjects (%d): %s", u"- nuovi soggetti (%d): %s"},
    {26730, u"- names given to subjects that had none (%d), which keep the data entered for them: %s",
     u"- nomi dati a soggetti che non ne avevano (%d), che conservano i dati inseriti per loro: %s"},
    {26740, u"- names written as the lines spell them (%d): %s", u"- nomi scritti come nelle righe (%d): %s"},
    {26750,
     u"- subjects whose names are in no line (%d) are removed with all their data; the answers given by them or "
     u"naming them are lost (%d), and the choices naming them become empty:",
     u"- i soggetti il cui nome non è in nessuna riga (%d) vengono eliminati con tutti i loro dati; le risposte date "
     u"da loro o che li nominano vanno perse (%d) e le scelte che li nominano restano vuote:"},
    {26760, u"Subject %d: %s, answers given: %d, received: %d", u"Soggetto %d: %s, risposte date: %d, ricevute: %d"},
    {26800, u"A recovery copy of \"%s\", written at %s, was left by a run of the program that did not end normally.",
     u"Una copia di recupero di \"%s\", scritta il %s, è stata lasciata da un'esecuzione del programma che non "
     u"è terminata normalmente."},
    {26810,
     u"A recovery copy of a new test, written at %s, was left by a run of the program that did not end normally.",
     u"Una copia di recupero di un test nuovo, scritta il %s, è stata lasciata da un'esecuzione del programma "
     u"che non è terminata normalmente."},
    {26820, u"Restore", u"Ripristina"},
    {26830, u"Discard", u"Elimina"},
    {26840, u"Decide later", u"Decidi dopo"},
    {26850, u"The recovery copy cannot be written in \"%s\": %s",
     u"La copia di recupero non può essere scritta in \"%s\": %s"},
    {26990, u"Do you want to go on?", u"Continuare?"},

    // Names import
    {27000, u"Line %d (\"%s\"): %s Nothing was imported.", u"Riga %d (\"%s\"): %s Non è stato importato nulla."},
    {27010, u"\"%s\" is not a sex: write F or M, female or male, femmina or maschio.",
     u"\"%s\" non è un sesso: scrivere F o M, femmina o maschio, female o male."},
    {27020, u"There are more than four columns: surname, name, sex and note.",
     u"Ci sono più di quattro colonne: cognome, nome, sesso e note."},
    {27030, u"Surname and name are not separated by a comma, as the chosen format asks.",
     u"Cognome e nome non sono separati da una virgola, come chiede il formato scelto."},
    {27040, u"Surname and name are not separated by a space, as the chosen format asks.",
     u"Cognome e nome non sono separati da uno spazio, come chiede il formato scelto."},
    // Answers page: typing, copying and pasting answers
    {27300,
     u"The pasted block of %d lines and %d columns does not fit from question %d, answer %d: the grid has %d "
     u"questions and %d answers.",
     u"Il blocco incollato di %d righe e %d colonne non entra dalla domanda %d, risposta %d: la griglia ha %d "
     u"domande e %d risposte."},
    {27310,
     u"Line %d, column %d of the pasted block (question %d, answer %d): \"%s\" is neither the number nor the "
     u"name of a subject.",
     u"Riga %d, colonna %d del blocco incollato (domanda %d, risposta %d): \"%s\" non è né il numero né il "
     u"nome di un soggetto."},
    {27320,
     u"Line %d, column %d of the pasted block (question %d, answer %d): \"%s\" is the name of more than one "
     u"subject: paste their numbers instead.",
     u"Riga %d, colonna %d del blocco incollato (domanda %d, risposta %d): \"%s\" è il nome di più "
     u"soggetti: incollare invece i loro numeri."},
    {27330,
     u"Line %d, column %d of the pasted block (question %d, answer %d): \"%s\" is the subject who answers: "
     u"nobody can choose themselves.",
     u"Riga %d, colonna %d del blocco incollato (domanda %d, risposta %d): \"%s\" è il soggetto che risponde: "
     u"nessuno può scegliere se stesso."},
    {27340, u"There is nothing to paste: the clipboard holds no text.",
     u"Non c'è niente da incollare: gli appunti non contengono testo."},
    {27350, u"paste of answers", u"risposte incollate"},
    {27360, u"%s (already chosen in answer %d)", u"%s (già scelto nella risposta %d)"},
    {27370,
     u"Type a number or the first letters of a name and press Enter; Delete clears the answer; Ctrl+C and "
     u"Ctrl+V copy and paste a block of answers",
     u"Digitare un numero o le prime lettere di un nome e premere Invio; Canc cancella la risposta; Ctrl+C e "
     u"Ctrl+V copiano e incollano un blocco di risposte"},
    // Answers from an online form: reading its file and importing it
    {27600,
     u"The file \"%s\" is not UTF-8 text: line %d holds bytes that are not (save it as UTF-8 and import it again).",
     u"Il file \"%s\" non è testo UTF-8: la riga %d contiene byte che non lo sono (salvalo come UTF-8 e importalo di "
     u"nuovo)."},
    {27610, u"\"%s\", line %d, column %d: the quoted cell is never closed.",
     u"\"%s\", riga %d, colonna %d: la cella tra virgolette non viene mai chiusa."},
    {27620,
     u"\"%s\", line %d, column %d: after the closing quote comes \"%s\" instead of a separator or the end of the line.",
     u"\"%s\", riga %d, colonna %d: dopo la virgoletta di chiusura c'è \"%s\" invece di un separatore o della fine "
     u"della riga."},
    {27700, u"No column of the form names the respondent: choose one among the columns.",
     u"Nessuna colonna del modulo indica chi risponde: scegline una tra le colonne."},
    {27710, u"Columns %d (\"%s\") and %d (\"%s\") both name the respondent: keep one of them.",
     u"Le colonne %d (\"%s\") e %d (\"%s\") indicano entrambe chi risponde: tienine una sola."},
    {27720, u"Columns %d (\"%s\") and %d (\"%s\") both hold answer %d of question %d: keep one of them.",
     u"Le colonne %d (\"%s\") e %d (\"%s\") contengono entrambe la risposta %d alla domanda %d: tienine una sola."},
    {27730, u"Row %d, column %d (\"%s\"): \"%s\" matches no subject of the test.",
     u"Riga %d, colonna %d (\"%s\"): \"%s\" non corrisponde ad alcun soggetto del test."},
    {27740, u"Row %d, column %d (\"%s\"): \"%s\" fits more than one subject: %s.",
     u"Riga %d, colonna %d (\"%s\"): \"%s\" corrisponde a più soggetti: %s."},
    {27750, u"Row %d, column %d (\"%s\"): \"%s\" is the respondent, who cannot choose themself.",
     u"Riga %d, colonna %d (\"%s\"): \"%s\" è chi risponde, che non può scegliere se stesso."},
    {27760, u"Row %d, column %d (\"%s\"): \"%s\" is no subject of the test (numbers go from 1 to %d).",
     u"Riga %d, colonna %d (\"%s\"): \"%s\" non è un soggetto del test (i numeri vanno da 1 a %d)."},
    {27770,
     u"Row %d, column %d (\"%s\"): \"%s\" is answer %d of question %d, but the test has %d questions of %d answers.",
     u"Riga %d, colonna %d (\"%s\"): \"%s\" è la risposta %d alla domanda %d, ma il test ha %d domande di %d "
     u"risposte."},
    {27780, u"Row %d, column %d (\"%s\"): \"%s\" is chosen twice in question %d (also in column %d).",
     u"Riga %d, colonna %d (\"%s\"): \"%s\" è scelto due volte nella domanda %d (anche nella colonna %d)."},
    {27790, u"Row %d, column %d (\"%s\"): the respondent is missing, yet the row holds answers.",
     u"Riga %d, colonna %d (\"%s\"): manca chi risponde, eppure la riga contiene risposte."},
    {27800, u"Rows %d and %d both hold the answers of \"%s\": keep one of them.",
     u"Le righe %d e %d contengono entrambe le risposte di \"%s\": tienine una sola."},
    {27810, u"The form \"%s\" holds no row of answers below its header.",
     u"Il modulo \"%s\" non contiene righe di risposte sotto l'intestazione."},
    {27820, u"import of answers from a form", u"importazione delle risposte da un modulo"},
    {27850, u"Import the answers of an online form (a CSV or TSV file)",
     u"Importa le risposte di un modulo online (un file CSV o TSV)"},
    {27860, u"Answers from a form", u"Risposte da un modulo"},
    {27870, u"File of the form", u"File del modulo"},
    {27880, u"Choose...", u"Scegli..."},
    {27890, u"Forms (*.csv *.tsv *.txt);;All files (*)", u"Moduli (*.csv *.tsv *.txt);;Tutti i file (*)"},
    {27900, u"What each column of the form holds", u"Che cosa contiene ogni colonna del modulo"},
    {27910, u"Column", u"Colonna"},
    {27920, u"First row", u"Prima riga"},
    {27930, u"Holds", u"Contiene"},
    {27940, u"Ignored", u"Ignorata"},
    {27950, u"Respondent", u"Chi risponde"},
    {27960, u"Question %d, answer %d", u"Domanda %d, risposta %d"},
    {27970, u"Names to resolve before importing", u"Nomi da chiarire prima di importare"},
    {27975, u"Written name", u"Nome scritto"},
    {27980, u"Problem", u"Problema"},
    {27985, u"Stands for", u"Corrisponde a"},
    {27990, u"matches no subject", u"non corrisponde ad alcun soggetto"},
    {27991, u"fits %d subjects", u"corrisponde a %d soggetti"},
    {27992, u"Choose a subject", u"Scegli un soggetto"},
    {27993, u"Leave out its rows", u"Tralascia le sue righe"},
    {27994, u"Import", u"Importa"},
    {27995, u"Choose the file of the form first.", u"Scegli prima il file del modulo."},
    // Pictures that leave the program: caption, print and save
    {28000, u"Analysis: %s", u"Analisi: %s"},
    {28010, u"Questions counted: %s", u"Domande conteggiate: %s"},
    {28020, u"none", u"nessuna"},
    {28030, u"File: %s", u"File: %s"},
    {28040, u"not saved", u"non salvato"},
    {28050, u"Date: %s", u"Data: %s"},
    {28100, u"Print the picture with a caption that explains it",
     u"Stampa l'immagine con una didascalia che la spiega"},
    {28110, u"Save the picture as PNG, SVG or PDF with a caption that explains it",
     u"Salva l'immagine come PNG, SVG o PDF con una didascalia che la spiega"},
    {28120, u"Save picture as", u"Salva immagine come"},
    {28130, u"PNG picture (*.png)", u"Immagine PNG (*.png)"},
    {28140, u"SVG drawing (*.svg)", u"Disegno SVG (*.svg)"},
    {28150, u"PDF document (*.pdf)", u"Documento PDF (*.pdf)"},
    {28160, u"Print preview", u"Anteprima di stampa"},
    {28170,
     u"bar, target, sociogram and metrics write SVG when OUTPUT ends in .svg and PDF when it ends in .pdf, "
     u"each with a caption; any other OUTPUT gets a PNG picture.",
     u"bar, target, sociogram e metrics scrivono SVG se OUTPUT finisce con .svg e PDF se finisce con .pdf, "
     u"ciascuno con una didascalia; ogni altro OUTPUT riceve un'immagine PNG."},
    {28200, u"Class report", u"Relazione sulla classe"},
    {28210, u"Questions: %d; subjects: %d; answers per question: %d",
     u"Domande: %d; soggetti: %d; risposte per domanda: %d"},
    {28220, u"Questions", u"Domande"},
    {28230, u"Subjects by category", u"Soggetti per categoria"},
    {28240, u"nobody", u"nessuno"},
    {28250, u"Subjects who received no acceptance", u"Soggetti che non hanno ricevuto accettazioni"},
    {28260, u"Subjects who received the most rejections (rejection choices received: %d)",
     u"Soggetti che hanno ricevuto più rifiuti (scelte di rifiuto ricevute: %d)"},
    {28270, u"the class report: every analysis in one PDF document (A4)",
     u"la relazione sulla classe: tutte le analisi in un documento PDF (A4)"},
    {28280, u"Class report: every analysis with its explanation in one PDF document",
     u"Relazione sulla classe: tutte le analisi con la loro spiegazione in un documento PDF"},
    // Tables for spreadsheets
    {28700, u"Category (%s)", u"Categoria (%s)"},
    {28710, u"Comma-separated values for spreadsheets (*.csv)", u"Valori separati per fogli di calcolo (*.csv)"},
    {28720, u"Table for spreadsheets", u"Tabella per fogli di calcolo"},
    {28730, u"Separator of the cells", u"Separatore delle celle"},
    {28740, u"Comma", u"Virgola"},
    {28750, u"Semicolon", u"Punto e virgola"},
    {28760, u"Tab", u"Tabulazione"},
    {28770, u"Decimal mark", u"Separatore decimale"},
    {28780, u"Full stop (0.5)", u"Punto (0.5)"},
    {28790, u"Comma (0,5)", u"Virgola (0,5)"},
    {28800, u"Start with a UTF-8 byte-order mark (spreadsheets then show accented names right)",
     u"Inizia con il byte-order mark UTF-8 (così i fogli di calcolo mostrano bene i nomi accentati)"},
    {28810, u"Add each subject's category of the target graph",
     u"Aggiungi la categoria di ogni soggetto nel grafico a bersaglio"},
    {28820, u"Cells of csv, categories, indices and groups separated by a comma (default), a semicolon or a tab",
     u"Celle di csv, categories, indices e groups separate da virgola (predefinito), punto e virgola o tabulazione"},
    {28830, u"Their decimal numbers with a point (default) or a comma",
     u"I loro numeri decimali con il punto (predefinito) o la virgola"},
    {28840, u"Start their file with a UTF-8 byte-order mark", u"Inizia il loro file con il byte-order mark UTF-8"},
    {28850, u"With csv: add each subject's category of the target graph",
     u"Con csv: aggiunge la categoria di ogni soggetto nel grafico a bersaglio"},

    // Sociogram arrangement and pins
    {29000, u"Arrange", u"Disposizione"},
    {29010, u"Places the boxes automatically; pinned boxes stay where they are",
     u"Dispone automaticamente i riquadri; quelli fissati restano dove sono"},
    {29020, u"By ties", u"Per legami"},
    {29030, u"Mutual pairs close, the most chosen toward the centre, few crossing lines",
     u"Coppie reciproche vicine, i più scelti verso il centro, poche linee incrociate"},
    {29040, u"In rings", u"Ad anelli"},
    {29050, u"Rings by choices received, the most chosen in the centre",
     u"Anelli secondo le scelte ricevute, i più scelti al centro"},
    {29060, u"Pin", u"Fissa"},
    {29070, u"Unpin", u"Sblocca"},
    {29080, u"Arrange by ties", u"Disponi per legami"},
    {29090, u"Arrange in rings", u"Disponi ad anelli"},
    {29100, u"The sociogram is too small to place %d boxes without overlapping: enlarge its dimensions!",
     u"Il sociogramma è troppo piccolo per disporre %d riquadri senza sovrapporli: aumentarne le dimensioni!"},
    {29110, u"Arrange the sociogram first: by its ties or in rings",
     u"Dispone prima il sociogramma: per legami o ad anelli"},
    {29200, u"Drawing", u"Disegno"},
    {29210, u"Options that make a dense sociogram easier to read",
     u"Opzioni che rendono più leggibile un sociogramma fitto"},
    {29220, u"Names above lines", u"Nomi sopra le linee"},
    {29230, u"Circles without white corners", u"Cerchi senza angoli bianchi"},
    {29240, u"Pointer takes the box on top", u"Puntatore sulla casella in cima"},
    {29250, u"Colour-blind-safe colours", u"Colori adatti ai daltonici"},
    {29260, u"Blue and orange instead of green and red, rejections dashed, in all four analyses",
     u"Blu e arancione invece di verde e rosso, rifiuti tratteggiati, in tutte e quattro le analisi"},

    // Information dialog (30010 and 30020 end with a blank: the value follows)
    {30000, u"Informations", u"Informazioni"},
    {30010, u"Software version: ", u"Versione software: "},
    {30020, u"Release date: ", u"Data rilascio: "},
    {30040, u"Thanks to", u"Ringraziamenti"},
    {31000, u"Thanks to everyone who helped with the development and testing of the program",
     u"Grazie a tutti coloro che hanno contribuito allo sviluppo e al collaudo del programma"},
    {32010, u"Contact", u"Contatti"},
    {32020, u"Please address queries, bug reports, and suggested improvements to:",
     u"Per domande, segnalazioni di errori e proposte di miglioramento scrivere a:"},

    // Analyses that show their reasons: categories, criteria, group indices
    {33000,
     u"Every subject received 0 acceptances in the selected questions, so social preference and impact "
     u"cannot be computed. Select at least one positive question, or use the frequency categorisation.",
     u"Tutti i soggetti hanno ricevuto 0 accettazioni nelle domande selezionate, quindi preferenza e impatto "
     u"sociale non possono essere calcolati. Selezionare almeno una domanda positiva, oppure usare la "
     u"categorizzazione per frequenza."},
    {33010,
     u"Every subject received 0 rejections in the selected questions, so social preference and impact "
     u"cannot be computed. Select at least one negative question, or use the frequency categorisation.",
     u"Tutti i soggetti hanno ricevuto 0 rifiuti nelle domande selezionate, quindi preferenza e impatto "
     u"sociale non possono essere calcolati. Selezionare almeno una domanda negativa, oppure usare la "
     u"categorizzazione per frequenza."},
    {33020,
     u"Every subject received %d acceptances in the selected questions, so social preference and impact "
     u"cannot be computed. Select other questions, or use another categorisation.",
     u"Tutti i soggetti hanno ricevuto %d accettazioni nelle domande selezionate, quindi preferenza e "
     u"impatto sociale non possono essere calcolati. Selezionare altre domande, oppure usare un'altra "
     u"categorizzazione."},
    {33030,
     u"Every subject received %d rejections in the selected questions, so social preference and impact "
     u"cannot be computed. Select other questions, or use another categorisation.",
     u"Tutti i soggetti hanno ricevuto %d rifiuti nelle domande selezionate, quindi preferenza e impatto "
     u"sociale non possono essere calcolati. Selezionare altre domande, oppure usare un'altra "
     u"categorizzazione."},
    {33100, u"Probability of random choice", u"Probabilità di scelta casuale"},
    {33110,
     u"F = checked positive questions \u00d7 answers per question; a, r = acceptances, rejections received. "
     u"The first rule that holds:",
     u"F = domande positive spuntate \u00d7 risposte per domanda; a, r = accettazioni, rifiuti ricevuti. "
     u"Vale la prima regola soddisfatta:"},
    {33120, u"a > F and r \u2264 1", u"a > F e r \u2264 1"},
    {33130, u"a > F, r > F and |a \u2212 r| \u2265 2", u"a > F, r > F e |a \u2212 r| \u2265 2"},
    {33140, u"a \u2265 1 and r > F", u"a \u2265 1 e r > F"},
    {33150, u"a = 0 and r = 0", u"a = 0 e r = 0"},
    {33160, u"a > r", u"a > r"},
    {33170, u"r > a", u"r > a"},
    {33180, u"otherwise (a = r)", u"altrimenti (a = r)"},
    {33190, u"otherwise", u"altrimenti"},
    {33200,
     u"zA, zR = acceptances, rejections received, standardised over the group; SP = zA \u2212 zR, "
     u"SI = zA + zR; comparisons are strict. The first rule that holds:",
     u"zA, zR = accettazioni, rifiuti ricevuti, standardizzati sul gruppo; SP = zA \u2212 zR, "
     u"SI = zA + zR; i confronti sono stretti. Vale la prima regola soddisfatta:"},
    {33210, u"SP > 1, zA > 0 and zR < 0", u"SP > 1, zA > 0 e zR < 0"},
    {33220, u"SP < \u22121, zA < 0 and zR > 0", u"SP < \u22121, zA < 0 e zR > 0"},
    {33230, u"SI < \u22121, zA < 0 and zR < 0", u"SI < \u22121, zA < 0 e zR < 0"},
    {33240, u"SI > 1, zA > 0 and zR > 0", u"SI > 1, zA > 0 e zR > 0"},
    {33300,
     u"p = min(1, A / (N \u2212 1)); by chance a ~ Bin(qP(N \u2212 1), p), r ~ Bin(qN(N \u2212 1), p), "
     u"a + r ~ Bin((qP + qN)(N \u2212 1), p); high: P(X \u2265 x) < 0.05, low: P(X \u2264 x) < 0.05; "
     u"mean: the group's mean. The first rule that holds:",
     u"p = min(1, A / (N \u2212 1)); per caso a ~ Bin(qP(N \u2212 1), p), r ~ Bin(qN(N \u2212 1), p), "
     u"a + r ~ Bin((qP + qN)(N \u2212 1), p); alto: P(X \u2265 x) < 0,05, basso: P(X \u2264 x) < 0,05; "
     u"media: la media del gruppo. Vale la prima regola soddisfatta:"},
    {33310, u"a high and r below the mean", u"a alto e r sotto la media"},
    {33320, u"r high and a below the mean", u"r alto e a sotto la media"},
    {33330, u"a + r low", u"a + r basso"},
    {33340, u"(a high and r above the mean) or (r high and a above the mean)",
     u"(a alto e r sopra la media) oppure (r alto e a sopra la media)"},
    {33400, u"Categories", u"Categorie"},
    {33410, u"Acceptances received", u"Accettazioni ricevute"},
    {33420, u"Rejections received", u"Rifiuti ricevuti"},
    {33430, u"zA", u"zA"},
    {33440, u"zR", u"zR"},
    {33450, u"SP", u"SP"},
    {33460, u"SI", u"SI"},
    {33470, u"Frequency", u"Frequenza"},
    {33480, u"Preference and impact", u"Preferenza e impatto"},
    {33490, u"Probability", u"Probabilità"},
    {33500, u"Differs", u"Differisce"},
    {33510, u"Copy the criteria, the categories table and the group indices",
     u"Copia i criteri, la tabella delle categorie e gli indici di gruppo"},
    {33520, u"Export the categories table as comma-separated text",
     u"Esporta la tabella delle categorie come testo separato da virgole"},
    {33530, u"Copy", u"Copia"},
    {33540, u"Export", u"Esporta"},
    {33600, u"Group indices", u"Indici di gruppo"},
    {33610, u"Subjects", u"Soggetti"},
    {33620, u"Choices", u"Scelte"},
    {33630, u"Density of the acceptance network", u"Densità della rete delle accettazioni"},
    {33640, u"Density of the rejection network", u"Densità della rete dei rifiuti"},
    {33650, u"Reciprocity", u"Reciprocità"},
    {33660, u"Group cohesion", u"Coesione del gruppo"},
    {33670, u"Isolates", u"Isolati"},
    {33680, u"Mutual rejections", u"Rifiuti reciproci"},
    {33690, u"Acceptances within the same sex", u"Accettazioni nello stesso sesso"},
    {33700, u"Expected within the same sex at random", u"Attese nello stesso sesso per caso"},
    {33710, u"Index", u"Indice"},
    {33720, u"Value", u"Valore"},
    {33800, u"the target diagram's categories table as comma-separated text",
     u"la tabella delle categorie del grafico a bersaglio come testo separato da virgole"},
    {33810, u"the group indices as comma-separated text", u"gli indici del gruppo come testo separato da virgole"},
    {33900, u"Scores", u"Punteggi"},
    {33910,
     u"Count every choice as 1, or weight each choice by its rank: with A answers, the choice in rank r counts "
     u"A \u2212 r + 1 (the bar graph and the metric table share this option)",
     u"Conta ogni scelta come 1, oppure pesa ogni scelta secondo la sua posizione: con A risposte, la scelta in "
     u"posizione r vale A \u2212 r + 1 (il grafico a barre e la tabella delle metriche condividono questa opzione)"},
    {33920, u"Every choice counts 1", u"Ogni scelta vale 1"},
    {33930, u"Choices weighted by rank", u"Scelte pesate per posizione"},
    {33940, u"Weighted", u"Pesato"},
    {33950, u"Show/hide the categories panel", u"Mostra/nascondi il pannello delle categorie"},

    // Working groups: subjects' names in messages, rules no grouping can meet
    {34000, u"Make working groups from the choices", u"Forma gruppi di lavoro a partire dalle scelte"},
    {34010, u"no. %d", u"n° %d"},
    {34100, u"Group", u"Gruppo"},
    {34110, u"Subjects with none of their choices in their group: %d (isolated: %d)",
     u"Soggetti senza nessuna delle loro scelte nel gruppo: %d (isolati: %d)"},
    {34120, u"Rejections inside the groups: %d", u"Rifiuti all'interno dei gruppi: %d"},
    {34130, u"Acceptances fulfilled inside the groups (each choice 1, each mutual pair 2 more): %d",
     u"Accettazioni soddisfatte nei gruppi (ogni scelta 1, ogni coppia reciproca 2 in più): %d"},
    {34140, u"Imbalance of the sexes: %s", u"Squilibrio dei sessi: %s"},
    {34150, u"Group %d", u"Gruppo %d"},
    {34160, u"chose %s", u"ha scelto %s"},
    {34170, u"none of the choices in the group", u"nessuna delle scelte nel gruppo"},
    {34180, u"rejected %s", u"ha rifiutato %s"},
    {34200, u"Working groups", u"Gruppi di lavoro"},
    {34210, u"Number of groups", u"Numero di gruppi"},
    {34220, u"Group size", u"Dimensione dei gruppi"},
    {34230, u"Balance the sexes", u"Bilancia i sessi"},
    {34240, u"Questions counted", u"Domande considerate"},
    {34250, u"Pairs", u"Coppie"},
    {34260, u"Keep together", u"Tieni insieme"},
    {34270, u"Keep apart", u"Tieni separati"},
    {34280, u"%s and %s: together", u"%s e %s: insieme"},
    {34290, u"%s and %s: apart", u"%s e %s: separati"},
    {34300, u"Remove", u"Rimuovi"},
    {34310, u"Propose", u"Proponi"},
    {34320, u"Try another", u"Prova un'altra"},
    {34330, u"Copy", u"Copia"},
    {34340, u"Export...", u"Esporta..."},
    {34350, u"Groups", u"Gruppi"},
    {34500,
     u"\"%s\" and \"%s\" are to be kept together (directly or through other \"keep together\" pairs) and also "
     u"kept apart: no grouping can do both.",
     u"\"%s\" e \"%s\" devono stare insieme (direttamente o tramite altre coppie \"tenere insieme\") e anche "
     u"separati: nessun raggruppamento può fare entrambe le cose."},
    {34510,
     u"\"%s\" and \"%s\" are to be kept together (directly or through other \"keep together\" pairs), but they "
     u"rejected each other, and subjects who rejected each other never share a group.",
     u"\"%s\" e \"%s\" devono stare insieme (direttamente o tramite altre coppie \"tenere insieme\"), ma si sono "
     u"rifiutati a vicenda, e chi si è rifiutato a vicenda non sta mai nello stesso gruppo."},
    {34520, u"%d subjects are to be kept together through \"keep together\" pairs (%s), but a group holds at most %d.",
     u"%d soggetti devono stare insieme tramite coppie \"tenere insieme\" (%s), ma un gruppo ne contiene al "
     u"massimo %d."},
    {34530,
     u"%d subjects must all be in different groups, because they rejected each other or are to be kept apart "
     u"(%s), but there are only %d groups.",
     u"%d soggetti devono stare tutti in gruppi diversi, perché si sono rifiutati a vicenda o devono stare separati "
     u"(%s), ma i gruppi sono solo %d."},
    {34540,
     u"No grouping into %d groups of %d to %d subjects meets every rule: the closest one found still puts \"%s\" "
     u"and \"%s\" together, who rejected each other or are to be kept apart. Try more groups or fewer pairs.",
     u"Nessun raggruppamento in %d gruppi da %d a %d soggetti rispetta tutte le regole: il più vicino trovato mette "
     u"ancora insieme \"%s\" e \"%s\", che si sono rifiutati a vicenda o devono stare separati. Provare con più "
     u"gruppi o meno coppie."},
    {34550,
     u"The subjects to keep together cannot be fitted into %d groups of %d to %d subjects. Try another group size "
     u"or fewer \"keep together\" pairs.",
     u"I soggetti da tenere insieme non possono essere distribuiti in %d gruppi da %d a %d soggetti. Provare "
     u"un'altra dimensione dei gruppi o meno coppie \"tenere insieme\"."},
    {34560, u"The number of groups must be between \"%d\" and \"%d\"!",
     u"Il numero di gruppi deve essere compreso tra \"%d\" e \"%d\"!"},
    {34570, u"The size of the groups must be between \"%d\" and \"%d\"!",
     u"La dimensione dei gruppi deve essere compresa tra \"%d\" e \"%d\"!"},
    {34600, u"the proposed working groups as comma-separated text",
     u"i gruppi di lavoro proposti come testo separato da virgole"},
    {34610, u"The number of groups (2 to 10), instead of the stored settings'",
     u"Il numero di gruppi (da 2 a 10), invece di quello delle impostazioni salvate"},
    {34620, u"The group size (2 to 10), instead of the stored settings'",
     u"La dimensione dei gruppi (da 2 a 10), invece di quella delle impostazioni salvate"},
    {34630, u"--groups and --group-size cannot be given together",
     u"--groups e --group-size non possono essere dati insieme"},

    // Comparison of two tests
    {34700, u"Acceptances (other test)", u"Accettazioni (altro test)"},
    {34710, u"Acceptances (this test)", u"Accettazioni (questo test)"},
    {34720, u"Change of acceptances", u"Variazione delle accettazioni"},
    {34730, u"Rejections (other test)", u"Rifiuti (altro test)"},
    {34740, u"Rejections (this test)", u"Rifiuti (questo test)"},
    {34750, u"Change of rejections", u"Variazione dei rifiuti"},
    {34760, u"Category (other test)", u"Categoria (altro test)"},
    {34770, u"Category (this test)", u"Categoria (questo test)"},
    {34780, u"Change of category", u"Variazione della categoria"},
    {34790, u"Categories by %s. Largest changes first, from the other test to this one.",
     u"Categorie per %s. Prima le variazioni maggiori, dall'altro test a questo."},
    {34800, u"The other test stores another categorisation or question selection: this test's are used for both.",
     u"L'altro test ha un'altra categorizzazione o selezione delle domande: per entrambi si usano quelle di questo "
     u"test."},
    {34810, u"Only in this test: %s", u"Solo in questo test: %s"},
    {34820, u"Only in the other test: %s", u"Solo nell'altro test: %s"},
    {34830, u"Tie that appeared", u"Legame comparso"},
    {34840, u"Tie that disappeared", u"Legame scomparso"},
    {34850, u"Tie that stayed", u"Legame rimasto"},
    {34860, u"Compare...", u"Confronta..."},
    {34870, u"Compare this test with another test of the same group",
     u"Confronta questo test con un altro test dello stesso gruppo"},
    {34880, u"Comparison with %s", u"Confronto con %s"},
    {34890, u"Print...", u"Stampa..."},
    {34900, u"Sociogram", u"Sociogramma"},
    {34910, u"the comparison of INPUT with the test of --compare as comma-separated text",
     u"il confronto di INPUT con il test di --compare come testo separato da virgole"},
    {34920, u"The other test of the comparison", u"L'altro test del confronto"},
    {34930, u"--export=comparison needs --compare=OTHER.KalCir",
     u"--export=comparison richiede --compare=OTHER.KalCir"},
    {34940, u"%d ties appeared, %d disappeared, %d stayed", u"%d legami comparsi, %d scomparsi, %d rimasti"},
    {34950, u"The test \"%s\" cannot be compared: %s", u"Il test \"%s\" non può essere confrontato: %s"},

    // Command line: help and refusals
    {35000, u"Usage:", u"Uso:"},
    {35010, u"Opens FILE in the window, or a new test without one.",
     u"Apre FILE nella finestra, o un nuovo test senza file."},
    {35020, u"With --export, writes an analysis of INPUT to OUTPUT without a window or a display.",
     u"Con --export, scrive un'analisi di INPUT in OUTPUT senza finestra né schermo."},
    {35030, u"Options:", u"Opzioni:"},
    {35040, u"Show this help and exit", u"Mostra questo aiuto ed esce"},
    {35050, u"Show the version and exit", u"Mostra la versione ed esce"},
    {35060, u"Export INPUT to OUTPUT as KIND:", u"Esporta INPUT in OUTPUT come KIND:"},
    {35080, u"Language of the export and its messages (default: the one chosen in the window)",
     u"Lingua dell'esportazione e dei suoi messaggi (predefinita: quella scelta nella finestra)"},
    {35090,
     u"Exit status: 0 success; 1 the export or the open failed; 2 a wrong command line or paths no export can use.",
     u"Stato di uscita: 0 riuscita; 1 esportazione o apertura fallita; 2 riga di comando errata o percorsi "
     u"inutilizzabili."},
    {35100, u"the bar graph as a PNG picture", u"il grafico a barre come immagine PNG"},
    {35110, u"the target graph as a PNG picture", u"il grafico a bersaglio come immagine PNG"},
    {35120, u"the sociogram as a PNG picture", u"il sociogramma come immagine PNG"},
    {35130, u"the metrics table as a PNG picture", u"la tabella delle metriche come immagine PNG"},
    {35140, u"the metrics table as comma-separated text", u"la tabella delle metriche come testo separato da virgole"},
    {35150, u"the test written again as a current test file", u"il test riscritto come file di test attuale"},
    {35200, u"Unknown option %s", u"Opzione sconosciuta %s"},
    {35210, u"The option %s needs a value", u"L'opzione %s richiede un valore"},
    {35220, u"The option %s is given more than once", u"L'opzione %s è data più volte"},
    {35230, u"\"%s\" is not a value of %s", u"\"%s\" non è un valore di %s"},
    {35240, u"The option %s works only with --export", u"L'opzione %s funziona solo con --export"},
    {35245, u"The option %s works only with %s", u"L'opzione %s funziona solo con %s"},
    {35250, u"--export takes an INPUT and an OUTPUT file", u"--export richiede un file INPUT e un file OUTPUT"},
    {35260, u"Only one file can be opened", u"Si può aprire un solo file"},
    {35270, u"A path is empty", u"Un percorso è vuoto"},
    {35280,
     u"No display to show the window on (DISPLAY and WAYLAND_DISPLAY are not set): start it in a graphical session, "
     u"or use --export",
     u"Nessuno schermo su cui mostrare la finestra (DISPLAY e WAYLAND_DISPLAY non sono impostate): avviarlo in una "
     u"sessione grafica, o usare --export"},
    {35290, u"Wrong command line: %s", u"Riga di comando errata: %s"},
    {35300, u"Kaleidocircle files (*.KalCir)", u"File di Kaleidocircle (*.KalCir)"},
    {35310, u"Comma separated values (*.txt)", u"Valori separati da virgole (*.txt)"},

    // The help window
    {35400, u"Kaleidocircle user guide", u"Guida per l'utente di Kaleidocircle"},
    {35410, u"&Find:", u"&Cerca:"},
    {35420, u"Find &next", u"Trova &successivo"},
    {35430, u"Open as &PDF", u"Apri come &PDF"},
    {35440, u"Words to find in the guide", u"Parole da cercare nella guida"},
    {35450, u"\"%s\" is not in the guide.", u"\"%s\" non compare nella guida."},
    {35460,
     u"Cannot open the PDF guide \"%s\": it is missing or no program for PDF documents is installed. The guide in this "
     u"window holds the same text.",
     u"Impossibile aprire la guida PDF \"%s\": manca o non è installato un programma per i documenti PDF. La guida in "
     u"questa finestra contiene lo stesso testo."},
    {35470, u"Contents of the guide", u"Indice della guida"},

    // Windows that adapt to their size
    {35500, u"More commands", u"Altri comandi"},

    // Names for screen readers
    {35510, u"Pages of the test", u"Pagine del test"},
    {35520, u"The analysis as a picture; the arrow keys scroll it",
     u"L'analisi come immagine; i tasti freccia la fanno scorrere"},
    {35530, u"Criteria of the categories", u"Criteri delle categorie"},
    {35540, u"Subjects compared in the two tests", u"Soggetti confrontati nei due test"},
    {35550, u"Proposed groups", u"Gruppi proposti"},
    {35560, u"Sociogram to show", u"Sociogramma da mostrare"},
    {35570, u"What column %s of the form holds", u"Che cosa contiene la colonna %s del modulo"},
    {35580, u"The subject that \"%s\" stands for", u"Il soggetto a cui corrisponde \"%s\""},
    {35590, u"Type the text of a question in its cell; Space switches a question between positive and negative",
     u"Scrivere il testo di una domanda nella sua cella; la barra spaziatrice cambia una domanda da positiva a "
     u"negativa "
     u"e viceversa"},
    {35600, u"Type surnames, names and notes in their cells; Space switches a subject's sex",
     u"Scrivere cognomi, nomi e note nelle loro celle; la barra spaziatrice cambia il sesso di un soggetto"},
    {35610, u"The subject whose answers the grid below shows",
     u"Il soggetto di cui la griglia sotto mostra le risposte"},
    {35620, u"The first subject of a pair to keep together or apart",
     u"Il primo soggetto di una coppia da tenere insieme o separata"},
    {35630, u"The second subject of a pair to keep together or apart",
     u"Il secondo soggetto di una coppia da tenere insieme o separata"},
    {35640, u"Folder", u"Cartella"},
    {35650, u"Drive", u"Unità"},
    {35660, u"%1 File", u"File %1"},

    // File errors naming the file and the system's reason, then the reasons
    {36000, u"Cannot open \"%s\": %s", u"Impossibile aprire \"%s\": %s"},
    {36010, u"Cannot read \"%s\": %s", u"Impossibile leggere \"%s\": %s"},
    {36020, u"Cannot write \"%s\": %s", u"Impossibile scrivere \"%s\": %s"},
    {36050, u"No space left on device", u"Spazio esaurito sul dispositivo"},
    {36060, u"Disk quota exceeded", u"Quota del disco superata"},
    {36070, u"File too large", u"File troppo grande"},
    {36080, u"Permission denied", u"Permesso negato"},
    {36090, u"Operation not permitted", u"Operazione non permessa"},
    {36100, u"Read-only file system", u"File system in sola lettura"},
    {36110, u"No such file or directory", u"File o cartella inesistente"},
    {36120, u"Not a directory", u"Non è una cartella"},
    {36130, u"Is a directory", u"È una cartella"},
    {36140, u"File exists", u"Il file esiste già"},
    {36150, u"File name too long", u"Nome del file troppo lungo"},
    {36160, u"Input/output error", u"Errore di input/output"},
    {36170, u"Not a regular file", u"Non è un file regolare"},
    {36180, u"Same file as the input", u"È lo stesso file di ingresso"},

    // Main window: tests open in another instance, files changed on disk
    {36600,
     u"The test \"%s\" is already open in another instance of the program (process %d, \"%s\", on the "
     u"computer \"%s\").\nOpen it read-only? Your changes can then be saved only in a new file.",
     u"Il test \"%s\" è già aperto in un'altra istanza del programma (processo %d, \"%s\", sul computer "
     u"\"%s\").\nAprirlo in sola lettura? Le modifiche potranno essere salvate solo in un nuovo file."},
    {36610, u"Open read-only", u"Apri in sola lettura"},
    {36620, u"Cancel", u"Annulla"},
    {36630, u" (read-only)", u" (sola lettura)"},
    {36640,
     u"No lock could be made beside the test \"%s\" (%s): another instance of the program can open it at the "
     u"same time and overwrite your changes without warning.",
     u"Non è stato possibile creare un blocco accanto al test \"%s\" (%s): un'altra istanza del programma può "
     u"aprirlo contemporaneamente e sovrascrivere le modifiche senza avvisare."},
    {36650, u"OK", u"OK"},
    {36660,
     u"The file \"%s\" is open in another instance of the program (process %d, \"%s\", on the computer "
     u"\"%s\") and was not overwritten. Choose another name, or close it there first.",
     u"Il file \"%s\" è aperto in un'altra istanza del programma (processo %d, \"%s\", sul computer "
     u"\"%s\") e non è stato sovrascritto. Scegliere un altro nome, oppure chiuderlo prima nell'altra istanza."},
    {36670,
     u"The file \"%s\" was changed on disk after it was opened or last saved, perhaps by another program.\n"
     u"Overwrite it with this test? The changes made there will be lost.",
     u"Il file \"%s\" è stato modificato sul disco dopo l'apertura o l'ultimo salvataggio, forse da un altro "
     u"programma.\nSovrascriverlo con questo test? Le modifiche fatte altrove andranno perse."},
    {36680, u"Overwrite", u"Sovrascrivi"},
    {36690, u"unknown", u"sconosciuto"},

    // Answers that reach the right subject: typing, picking and pasting; the answers page
    {37000, u"%s (who answers: nobody can choose themselves)", u"%s (chi risponde: nessuno può scegliere se stesso)"},
    {37010, u"No subject has the number %s: the numbers go from 1 to %d.",
     u"Nessun soggetto ha il numero %s: i numeri vanno da 1 a %d."},
    {37020, u"No subject's name starts with \"%s\".", u"Nessun soggetto ha un nome che comincia con \"%s\"."},
    {37030, u"Question %d, answer %d: \"%s\" is the subject who answers: nobody can choose themselves.",
     u"Domanda %d, risposta %d: \"%s\" è il soggetto che risponde: nessuno può scegliere se stesso."},
    {37040,
     u"Question %d, answer %d: \"%s\" is already chosen in answer %d of this question: nobody can be chosen twice "
     u"in one question.",
     u"Domanda %d, risposta %d: \"%s\" è già scelto nella risposta %d di questa domanda: nessuno può essere scelto "
     u"due volte nella stessa domanda."},
    {37050,
     u"Line %d, column %d of the pasted block (question %d, answer %d): \"%s\" is also chosen in answer %d of this "
     u"question: nobody can be chosen twice in one question.",
     u"Riga %d, colonna %d del blocco incollato (domanda %d, risposta %d): \"%s\" è scelto anche nella risposta %d "
     u"di questa domanda: nessuno può essere scelto due volte nella stessa domanda."},
    {37060, u"Answers of subject %d: %s", u"Risposte del soggetto %d: %s"},
    {37070, u"Answers of subject %d", u"Risposte del soggetto %d"},
    {37080, u"%d. %s", u"%d. %s"},

    // Names import that keeps the answers with their subjects
    {37100, u"Subject %d (no name), answers given: %d, received: %d",
     u"Soggetto %d (senza nome), risposte date: %d, ricevute: %d"},
    {37110, u"- sex: no line writes one, so every subject keeps its own (a new subject: female)",
     u"- sesso: nessuna riga lo indica, quindi ogni soggetto conserva il proprio (un nuovo soggetto: femmina)"},
    {37120,
     u"- sex: taken from the lines that write one (%d); where a line writes none, the subject keeps its own (a new "
     u"subject: female)",
     u"- sesso: preso dalle righe che lo indicano (%d); dove una riga non lo indica, il soggetto conserva il proprio "
     u"(un nuovo soggetto: femmina)"},
    {37130, u"- the sex changes for subjects already in the list (%d): %s",
     u"- il sesso cambia per soggetti già presenti nell'elenco (%d): %s"},
    {37140, u"- note: no line writes one, so every subject keeps its own",
     u"- nota: nessuna riga la indica, quindi ogni soggetto conserva la propria"},
    {37150, u"- note: taken from the lines that write one (%d); where a line writes none, the subject keeps its own",
     u"- nota: presa dalle righe che la indicano (%d); dove una riga non la indica, il soggetto conserva la propria"},
    {37160, u"- the note is replaced for subjects already in the list (%d): %s",
     u"- la nota viene sostituita per soggetti già presenti nell'elenco (%d): %s"},
    {37170, u"- working-group pairs naming removed subjects (%d) are dropped",
     u"- le coppie dei gruppi di lavoro che nominano soggetti eliminati (%d) vengono tolte"},

    // Answers from a form: rows left out, the summary, duplicates, progress
    {37200, u"Answers taken in from %d rows of the form.", u"Risposte importate da %d righe del modulo."},
    {37210, u"Rows left out (%d):", u"Righe tralasciate (%d):"},
    {37220, u"row %d (\"%s\"): you chose to leave out this name",
     u"riga %d (\"%s\"): hai scelto di tralasciare questo nome"},
    {37230, u"row %d (\"%s\"): row %d of the same subject was taken in",
     u"riga %d (\"%s\"): è stata importata la riga %d dello stesso soggetto"},
    {37240, u"row %d (\"%s\"): you chose to leave out every row of this subject",
     u"riga %d (\"%s\"): hai scelto di tralasciare tutte le righe di questo soggetto"},
    {37250, u"Choices left empty because they name someone left out (%d):",
     u"Scelte lasciate vuote perché indicano qualcuno di tralasciato (%d):"},
    {37260, u"row %d, column %d (\"%s\"): \"%s\"", u"riga %d, colonna %d (\"%s\"): \"%s\""},
    {37270, u"Subjects with no row in the form, whose answers stay as they were (%d): %s",
     u"Soggetti senza una riga nel modulo, le cui risposte restano com'erano (%d): %s"},
    {37280, u"... and %d more", u"... e altri %d"},
    {37281, u"Where", u"Dove"},
    {37282, u"Row %d: %s", u"Riga %d: %s"},
    {37283, u"Rows %s", u"Righe %s"},
    {37284, u"answered in %d rows", u"ha risposto in %d righe"},
    {37285, u"Choose a row", u"Scegli una riga"},
    {37286, u"Keep row %d", u"Tieni la riga %d"},
    {37287, u"Leave out all its rows", u"Tralascia tutte le sue righe"},
    {37288, u"Leave this name out", u"Tralascia questo nome"},
    {37289, u"Reading the form...", u"Lettura del modulo..."},
    {37290, u"Checking and importing the answers...", u"Controllo e importazione delle risposte..."},

    // Side files, the compared test, recovery at every ending
    {37300, u"Same file as the compared test", u"È lo stesso file del test confrontato"},
    {37310, u"its lock file \"%s\" names no holder and cannot be replaced",
     u"il suo file di blocco \"%s\" non indica chi lo detiene e non può essere sostituito"},
    {37320, u"The recovery copy \"%s\", left by a run of the program that did not end normally, cannot be restored: %s",
     u"La copia di recupero \"%s\", lasciata da un'esecuzione del programma che non è terminata normalmente, non "
     u"può essere ripristinata: %s"},

    // The class report, safe copies, unknown settings
    {37500,
     u"Bar heights: choices received; a classmate who chose the subject in several questions counts once for each "
     u"question.",
     u"Altezza delle barre: scelte ricevute; un compagno che ha scelto il soggetto in più domande conta una volta per "
     u"ogni domanda."},
    {37510,
     u"Bar heights: classmates who chose the subject, each counted once even if they chose the subject in several "
     u"questions.",
     u"Altezza delle barre: compagni che hanno scelto il soggetto, ciascuno contato una volta sola anche se lo ha "
     u"scelto in più domande."},
    {37520,
     u"Acceptances and rejections received are choices: a classmate who chose the subject in several questions "
     u"counts once for each question.",
     u"Accettazioni e rifiuti ricevuti sono scelte: un compagno che ha scelto il soggetto in più domande conta una "
     u"volta per ogni domanda."},
    {37530,
     u"Received and given: classmates who chose the subject or whom the subject chose, each counted once even across "
     u"several questions.",
     u"Ricevute e date: compagni che hanno scelto il soggetto o che il soggetto ha scelto, ciascuno contato una volta "
     u"sola anche in più domande."},

    // Working groups: exact pairs, balanced sexes, printed heading
    {37600, u"Group size: %d", u"Dimensione dei gruppi: %d"},
    {37610, u"Number of groups: %d", u"Numero di gruppi: %d"},
    {37620, u"%d groups of %d to %d subjects", u"%d gruppi da %d a %d soggetti"},
    {37630, u"%d groups of %d subjects", u"%d gruppi di %d soggetti"},
    {37640, u"1 group of %d subjects", u"1 gruppo di %d soggetti"},
    {37650, u"Questions counted: %s", u"Domande considerate: %s"},
    {37660, u"none", u"nessuna"},
    {37670, u"Sexes balanced", u"Sessi bilanciati"},

    // Message box title, questions to the user, names of values
    {40000, u"Message", u"Messaggio"},
    {40010, u"You want to delete unnecessary subjects?", u"Si desidera cancellare i soggetti in eccesso?"},
    {40020, u"You want to delete subjects already in list?", u"Si desidera cancellare i soggetti già presenti?"},
    {40030, u"The test is changed. Do you want to save it?", u"Il test è stato modificato. Si desidera salvarlo?"},
    {40100, u"Sex", u"Sesso"},
    {40110, u"None", u"Nessuno"},
    {40120, u"Female", u"Femmina"},
    {40130, u"Male", u"Maschio"},
    {40200, u"Positive", u"Positiva"},
    {40210, u"Negative", u"Negativa"},

    // Error box title and model errors
    {50000, u"Error", u"Errore"},
    {50010, u"Memory full in \"%s\" module!", u"Memoria esaurita nel modulo \"%s\"!"},
    {50020, u"Memory access failed in the \"%s\" module!", u"Accesso alla memoria fallito nel modulo \"%s\"!"},
    {50030, u"The number must be greater than \"%d\"!", u"Il numero deve essere maggiore di \"%d\"!"},
    {50040,
     u"The \"%s\" name is not consistent with the selected type. "
     u"The subject will not be imported!",
     u"Il nome \"%s\" non è consistente con il tipo selezionato. "
     u"Il soggetto non sarà importato!"},
    {50050, u"The number of questions must be between \"%d\" and \"%d\"!",
     u"Il numero di domande deve essere compreso tra \"%d\" e \"%d\"!"},
    {50060, u"The number of responses for each question must be between \"%d\" and \"%d\"!",
     u"Il numero di risposte per ogni domanda deve essere compreso tra \"%d\" e \"%d\"!"},
    {50070, u"The number of subjects must be between \"%d\" and \"%d\"!",
     u"Il numero di soggetti deve essere compreso tra \"%d\" e \"%d\"!"},
    {50080, u"The dimension must be between \"%d\" and \"%d\"!",
     u"La dimensione deve essere compresa tra \"%d\" e \"%d\"!"},
    {50090, u"The subject no.%d has selected himself. Correct the error to display the chart!",
     u"Il soggetto n°%d ha selezionato sè stesso. "
     u"Correggere l'errore per visualizzare il grafico!"},

    // File errors
    {60000, u"Write failure to file, module \"%s\"!", u"Scrittura fallita nel file, modulo \"%s\"!"},
    {60010, u"Read failure from file, module \"%s\"!", u"Lettura fallita dal file, modulo \"%s\"!"},
    {60020, u"The file \"%s\" was not recognized!", u"Il file \"%s\" non è stato riconosciuto!"},
    {60030, u"The version of the file is not supported!", u"La versione del file non è supportata!"},
};

const std::size_t kLanguageTableSize = sizeof(kLanguageTable) / sizeof(kLanguageTable[0]);
