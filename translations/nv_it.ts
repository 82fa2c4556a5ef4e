<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT">
<context>
    <name>Engine</name>
    <message>
        <source>Assertion failure (%s, line %d)</source>
        <translation>Errore di asserzione (%s, riga %d)</translation>
    </message>
    <message>
        <source>Invalid stream format</source>
        <translation>Formato del flusso non valido</translation>
    </message>
    <message>
        <source>Invalid stream format (%s)</source>
        <translation>Formato del flusso non valido (%s)</translation>
    </message>
    <message>
        <source>List index out of bounds (%d)</source>
        <translation>Indice di lista fuori dai limiti (%d)</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%s&quot;. %s</source>
        <translation>Impossibile aprire il file &quot;%s&quot;. %s</translation>
    </message>
    <message>
        <source>Stream read error</source>
        <translation>Errore di lettura del flusso</translation>
    </message>
    <message>
        <source>File too large to map (%s)</source>
        <translation>File troppo grande da mappare in memoria (%s)</translation>
    </message>
    <message>
        <source>%s is larger than %d MB, too large to read</source>
        <translation>%s supera %d MB: è troppo grande da leggere</translation>
    </message>
    <message>
        <source>%s is not a regular file</source>
        <translation>%s non è un file normale</translation>
    </message>
    <message>
        <source>&apos;%s&apos; is not a valid integer value</source>
        <translation>&apos;%s&apos; non è un numero intero valido</translation>
    </message>
    <message>
        <source>&apos;%s&apos; is not a valid boolean value</source>
        <translation>&apos;%s&apos; non è un valore booleano valido</translation>
    </message>
    <message>
        <source>%s: %s: %s</source>
        <translation>%s: %s: %s</translation>
    </message>
    <message>
        <source>the value is missing</source>
        <translation>il valore manca</translation>
    </message>
    <message>
        <source>&apos;%s&apos; is not from %d to %d</source>
        <translation>&apos;%s&apos; non è compreso tra %d e %d</translation>
    </message>
    <message>
        <source>Word form</source>
        <translation>Forma flessa</translation>
    </message>
    <message>
        <source>Unidentified_dictionary</source>
        <translation>Dizionario_non_identificato</translation>
    </message>
    <message>
        <source>Unnamed dictionary</source>
        <translation>Dizionario senza nome</translation>
    </message>
    <message>
        <source>Code page %d is not supported</source>
        <translation>La codifica %d non è supportata</translation>
    </message>
    <message>
        <source>Cannot open file %s</source>
        <translation>Impossibile aprire il file %s</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Errore</translation>
    </message>
    <message>
        <source>on a removable drive</source>
        <translation>su un disco rimovibile</translation>
    </message>
    <message>
        <source>on a remote drive</source>
        <translation>su un disco di rete</translation>
    </message>
    <message>
        <source>on a CD ROM</source>
        <translation>su un CD-ROM</translation>
    </message>
    <message>
        <source>String list does not allow duplicates</source>
        <translation>L&apos;elenco di stringhe non ammette duplicati</translation>
    </message>
    <message>
        <source>Operation not allowed on sorted list</source>
        <translation>Operazione non consentita su un elenco ordinato</translation>
    </message>
    <message>
        <source>Unexpected type</source>
        <translation>Tipo inatteso</translation>
    </message>
    <message>
        <source>Default View</source>
        <translation>Vista predefinita</translation>
    </message>
    <message>
        <source>A dictionary was not found: the application will be terminated</source>
        <translation>Un dizionario non è stato trovato: l&apos;applicazione verrà chiusa</translation>
    </message>
    <message>
        <source>Dictionary ID %s not found</source>
        <translation>Dizionario con ID %s non trovato</translation>
    </message>
    <message>
        <source>Array of LuKeys or Lemmas expected</source>
        <translation>Atteso un array di chiavi o di lemmi</translation>
    </message>
    <message>
        <source>Array of Lus (Lemma, Cat_code) expected: size of array should be even</source>
        <translation>Atteso un array di coppie (lemma, codice di categoria): la dimensione dell&apos;array deve essere pari</translation>
    </message>
    <message>
        <source>Error in regular expression: %s</source>
        <translation>Errore nell&apos;espressione regolare: %s</translation>
    </message>
    <message>
        <source>Unexpected end of pattern.</source>
        <translation>Fine inattesa del modello.</translation>
    </message>
    <message>
        <source>Character class not closed, &apos;]&apos; is missing.</source>
        <translation>Classe di caratteri non chiusa: manca &apos;]&apos;.</translation>
    </message>
    <message>
        <source>Unbalanced group expression, &apos;)&apos; is missing.</source>
        <translation>Gruppo non bilanciato: manca &apos;)&apos;.</translation>
    </message>
    <message>
        <source>A character property is invalid</source>
        <translation>Una proprietà di carattere non è valida</translation>
    </message>
    <message>
        <source>Invalid repetition range.</source>
        <translation>Intervallo di ripetizione non valido.</translation>
    </message>
    <message>
        <source>Repetition range not closed, &apos;}&apos; is missing.</source>
        <translation>Intervallo di ripetizione non chiuso: manca &apos;}&apos;.</translation>
    </message>
    <message>
        <source>Groups and repetitions are nested too deeply.</source>
        <translation>Gruppi e ripetizioni sono annidati troppo in profondità.</translation>
    </message>
    <message>
        <source>Expression is empty.</source>
        <translation>L&apos;espressione è vuota.</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Informazione</translation>
    </message>
    <message>
        <source>Query contains contradictory conditions, so there will be no answer.</source>
        <translation>La ricerca contiene condizioni contraddittorie: non ci saranno risultati.</translation>
    </message>
    <message>
        <source>A note cannot be kept on &quot;%s&quot;: the headword holds characters the dictionary cannot tell apart</source>
        <translation>Non si può tenere una nota su &quot;%s&quot;: il lemma contiene caratteri che il dizionario non sa distinguere</translation>
    </message>
    <message>
        <source>%s:%d: %s</source>
        <translation>%s:%d: %s</translation>
    </message>
    <message>
        <source>a key line must end with &quot;]&quot;</source>
        <translation>una riga di chiave deve terminare con &quot;]&quot;</translation>
    </message>
    <message>
        <source>empty key name</source>
        <translation>nome di chiave vuoto</translation>
    </message>
    <message>
        <source>expected a key in brackets or a value</source>
        <translation>attesa una chiave tra parentesi quadre o un valore</translation>
    </message>
    <message>
        <source>a value outside any key</source>
        <translation>un valore fuori da qualsiasi chiave</translation>
    </message>
    <message>
        <source>expected &quot;=&quot; after the value name</source>
        <translation>atteso &quot;=&quot; dopo il nome del valore</translation>
    </message>
    <message>
        <source>text after the end of a string value</source>
        <translation>testo dopo la fine di un valore stringa</translation>
    </message>
    <message>
        <source>unknown value type</source>
        <translation>tipo di valore sconosciuto</translation>
    </message>
    <message>
        <source>expected a quoted name</source>
        <translation>atteso un nome tra virgolette</translation>
    </message>
    <message>
        <source>unknown escape in a string</source>
        <translation>sequenza di escape sconosciuta in una stringa</translation>
    </message>
    <message>
        <source>unterminated string</source>
        <translation>stringa non terminata</translation>
    </message>
    <message>
        <source>a dword value needs 1 to 8 hexadecimal digits</source>
        <translation>un valore dword richiede da 1 a 8 cifre esadecimali</translation>
    </message>
    <message>
        <source>bad byte &quot;%s&quot; in a hex value</source>
        <translation>byte &quot;%s&quot; non valido in un valore esadecimale</translation>
    </message>
    <message>
        <source>empty byte in a hex value</source>
        <translation>byte vuoto in un valore esadecimale</translation>
    </message>
    <message>
        <source>a hex value ends with a comma</source>
        <translation>un valore esadecimale termina con una virgola</translation>
    </message>
    <message>
        <source>A key name cannot hold control characters</source>
        <translation>Il nome di una chiave non può contenere caratteri di controllo</translation>
    </message>
    <message>
        <source>Access to the external resource &quot;%s&quot; is not allowed</source>
        <translation>L&apos;accesso alla risorsa esterna &quot;%s&quot; non è consentito</translation>
    </message>
    <message>
        <source>The external entity &quot;%s&quot; is not read (line %d)</source>
        <translation>L&apos;entità esterna &quot;%s&quot; non viene letta (riga %d)</translation>
    </message>
    <message>
        <source>The stylesheet may not write or reach &quot;%s&quot;</source>
        <translation>Il foglio di stile non può scrivere né raggiungere &quot;%s&quot;</translation>
    </message>
    <message>
        <source>The stylesheet may not read &quot;%s&quot;</source>
        <translation>Il foglio di stile non può leggere &quot;%s&quot;</translation>
    </message>
    <message>
        <source>Document is empty</source>
        <translation>Il documento è vuoto</translation>
    </message>
    <message>
        <source>The document is not well-formed XML</source>
        <translation>Il documento non è XML ben formato</translation>
    </message>
    <message>
        <source>Interface not supported</source>
        <translation>Interfaccia non supportata</translation>
    </message>
    <message>
        <source>No stylesheet is loaded</source>
        <translation>Nessun foglio di stile caricato</translation>
    </message>
    <message>
        <source>The transformation cannot start</source>
        <translation>La trasformazione non può iniziare</translation>
    </message>
    <message>
        <source>The transformation failed</source>
        <translation>La trasformazione non è riuscita</translation>
    </message>
    <message>
        <source>Cannot read the stylesheet %s</source>
        <translation>Impossibile leggere il foglio di stile %s</translation>
    </message>
    <message>
        <source>The stylesheet&apos;s result is larger than %d MB</source>
        <translation>Il risultato del foglio di stile supera %d MB</translation>
    </message>
    <message>
        <source>not a valid stylesheet</source>
        <translation>non è un foglio di stile valido</translation>
    </message>
    <message>
        <source>Error. InfoId %d not found in MorphInfoDescList.</source>
        <translation>Errore: InfoId %d non trovato in MorphInfoDescList.</translation>
    </message>
    <message>
        <source>Unknown kind of word-form enumeration %d</source>
        <translation>Tipo di enumerazione delle forme sconosciuto: %d</translation>
    </message>
    <message>
        <source>Spell Checker Error Code %d:%d</source>
        <translation>Errore del correttore ortografico, codice %d:%d</translation>
    </message>
    <message>
        <source>The parameter is incorrect</source>
        <translation>Il parametro non è corretto</translation>
    </message>
    <message>
        <source>No value %s in the field %s</source>
        <translation>Nessun valore %s nel campo %s</translation>
    </message>
    <message>
        <source>No sub-value %d in the field %s</source>
        <translation>Nessun sottovalore %d nel campo %s</translation>
    </message>
    <message>
        <source>line %d: a display option needs five fields</source>
        <translation>riga %d: un&apos;opzione di visualizzazione richiede cinque campi</translation>
    </message>
    <message>
        <source>line %d: &apos;%s&apos; is not a valid boolean value</source>
        <translation>riga %d: &apos;%s&apos; non è un valore booleano valido</translation>
    </message>
    <message>
        <source>line %d: %s</source>
        <translation>riga %d: %s</translation>
    </message>
    <message>
        <source>%s: %s</source>
        <translation>%s: %s</translation>
    </message>
    <message>
        <source>anagram of</source>
        <translation>anagramma di</translation>
    </message>
    <message>
        <source>and</source>
        <translation>e</translation>
    </message>
    <message>
        <source>begins with</source>
        <translation>inizia con</translation>
    </message>
    <message>
        <source>contains</source>
        <translation>contiene</translation>
    </message>
    <message>
        <source>contains the only consonants</source>
        <translation>contiene solo le consonanti</translation>
    </message>
    <message>
        <source>contains the only vowels</source>
        <translation>contiene solo le vocali</translation>
    </message>
    <message>
        <source>contains (wildcards)</source>
        <translation>contiene (caratteri jolly)</translation>
    </message>
    <message>
        <source>discard of</source>
        <translation>scarto di</translation>
    </message>
    <message>
        <source>ends with</source>
        <translation>finisce con</translation>
    </message>
    <message>
        <source>equal</source>
        <translation>uguale a</translation>
    </message>
    <message>
        <source>exchange of</source>
        <translation>cambio di</translation>
    </message>
    <message>
        <source>false</source>
        <translation>falso</translation>
    </message>
    <message>
        <source>is double-faced</source>
        <translation>è bifronte</translation>
    </message>
    <message>
        <source>is palindrome</source>
        <translation>è palindromo</translation>
    </message>
    <message>
        <source>length is</source>
        <translation>lunghezza</translation>
    </message>
    <message>
        <source>near (wildcards)</source>
        <translation>vicino a (caratteri jolly)</translation>
    </message>
    <message>
        <source>not</source>
        <translation>non</translation>
    </message>
    <message>
        <source>or</source>
        <translation>o</translation>
    </message>
    <message>
        <source>matches (Perl reg. exp.)</source>
        <translation>corrisponde a (espressione regolare Perl)</translation>
    </message>
    <message>
        <source>true</source>
        <translation>vero</translation>
    </message>
    <message>
        <source>wedge of</source>
        <translation>zeppa di</translation>
    </message>
    <message>
        <source>matches (wildcards)</source>
        <translation>corrisponde a (caratteri jolly)</translation>
    </message>
    <message>
        <source>contains word (wildcards)</source>
        <translation>contiene la parola (caratteri jolly)</translation>
    </message>
    <message>
        <source>Cannot start %s: %s</source>
        <translation>Impossibile avviare %s: %s</translation>
    </message>
    <message>
        <source>Error loading resource file &quot;%s&quot;</source>
        <translation>Errore nel caricamento del file di risorse &quot;%s&quot;</translation>
    </message>
    <message>
        <source>Invalid resource file format</source>
        <translation>Formato del file di risorse non valido</translation>
    </message>
    <message>
        <source>The version of the resource file &quot;%s&quot; is invalid. Please, update the file and try again</source>
        <translation>La versione del file di risorse &quot;%s&quot; non è valida. Aggiornare il file e riprovare</translation>
    </message>
    <message>
        <source>The notes file %s could not be read: mend it or move it away before changing notes</source>
        <translation>Il file delle note %s non si può leggere: correggerlo o spostarlo prima di modificare le note</translation>
    </message>
    <message>
        <source>Assertion failure (%s, line %d): %s</source>
        <translation>Errore di asserzione (%s, riga %d): %s</translation>
    </message>
    <message>
        <source>The input hook of this platform cannot be installed or removed</source>
        <translation>Impossibile installare o rimuovere l&apos;intercettazione dell&apos;input su questa piattaforma</translation>
    </message>
</context>
<context>
    <name>TZelASTDataModule</name>
    <message>
        <source>Analyze from &amp;other Application</source>
        <translation>Analizza da un&apos;&amp;altra applicazione</translation>
    </message>
    <message>
        <source>Analyze selected text from other application</source>
        <translation>Analizza il testo selezionato in un&apos;altra applicazione</translation>
    </message>
    <message>
        <source>Command not available because no valid other application was detected</source>
        <translation>Comando non disponibile: non è stata trovata un&apos;altra applicazione valida</translation>
    </message>
    <message>
        <source>Not available: %1</source>
        <translation>Non disponibile: %1</translation>
    </message>
    <message>
        <source>a Wayland session does not let one program read or control another&apos;s windows</source>
        <translation>una sessione Wayland non permette a un programma di leggere o controllare le finestre di un altro</translation>
    </message>
    <message>
        <source>there is no X11 display</source>
        <translation>non c&apos;è un display X11</translation>
    </message>
</context>
<context>
    <name>TZelAboutBox</name>
    <message>
        <source>About</source>
        <translation>Informazioni</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Versione</translation>
    </message>
</context>
<context>
    <name>TZelBaseAppDataModule</name>
    <message>
        <source>Save Settings on &amp;Exit</source>
        <translation>Salva impostazioni all&apos;&amp;uscita</translation>
    </message>
    <message>
        <source>Save program settings on exit</source>
        <translation>Salva le impostazioni del programma all&apos;uscita</translation>
    </message>
    <message>
        <source>Save Settings &amp;Now</source>
        <translation>Salva impostazioni &amp;ora</translation>
    </message>
    <message>
        <source>Save program settings immediately</source>
        <translation>Salva subito le impostazioni del programma</translation>
    </message>
    <message>
        <source>Set &amp;Installation Defaults</source>
        <translation>Ripristina impostazioni di &amp;installazione</translation>
    </message>
    <message>
        <source>Set settings to original installation values</source>
        <translation>Riporta le impostazioni ai valori dell&apos;installazione</translation>
    </message>
    <message>
        <source>To reset installation defaults, I need to restart the application. Continue?</source>
        <translation>Per ripristinare le impostazioni di installazione devo riavviare l&apos;applicazione. Continuare?</translation>
    </message>
    <message>
        <source>To set the interface language I need to restart the application. Continue?</source>
        <translation>Per cambiare la lingua dell&apos;interfaccia devo riavviare l&apos;applicazione. Continuare?</translation>
    </message>
</context>
<context>
    <name>TZelBaseAppForm</name>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Esci</translation>
    </message>
    <message>
        <source>Quit this application</source>
        <translation>Chiude l&apos;applicazione</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Sommario</translation>
    </message>
    <message>
        <source>Show help contents</source>
        <translation>Mostra il sommario della guida</translation>
    </message>
    <message>
        <source>&amp;Kelvar Home Page</source>
        <translation>Sito di &amp;Kelvar</translation>
    </message>
    <message>
        <source>Open the Kelvar home page using the default navigator</source>
        <translation>Apre il sito di Kelvar con il browser predefinito</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Impostazioni</translation>
    </message>
    <message>
        <source>Open the settings form</source>
        <translation>Apre la finestra delle impostazioni</translation>
    </message>
    <message>
        <source>&amp;What&apos;s this?</source>
        <translation>&amp;Guida rapida</translation>
    </message>
    <message>
        <source>Quick help</source>
        <translation>Guida rapida</translation>
    </message>
    <message>
        <source>Show &amp;Captions</source>
        <translation>Mostra &amp;didascalie</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>&amp;Informazioni...</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Guida</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Visualizza</translation>
    </message>
    <message>
        <source>&amp;Toolbars</source>
        <translation>&amp;Barre degli strumenti</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Opzioni</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;?</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Modifica</translation>
    </message>
    <message>
        <source>&amp;Actions</source>
        <translation>&amp;Azioni</translation>
    </message>
    <message>
        <source>Interface &amp;Language</source>
        <translation>&amp;Lingua dell&apos;interfaccia</translation>
    </message>
    <message>
        <source>This program has no help file.</source>
        <translation>Questo programma non ha un file della guida.</translation>
    </message>
</context>
<context>
    <name>TZelChooseLemmaForm</name>
    <message>
        <source>Choose lemma:</source>
        <translation>Scegli il lemma:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
    </message>
</context>
<context>
    <name>TZelDicLookForm</name>
    <message>
        <source>Free Text</source>
        <translation>Testo libero</translation>
    </message>
    <message>
        <source>Free text mode</source>
        <translation>Modalità testo libero</translation>
    </message>
    <message>
        <source>Headword List</source>
        <translation>Elenco lemmi</translation>
    </message>
    <message>
        <source>Headword list mode</source>
        <translation>Modalità elenco lemmi</translation>
    </message>
    <message>
        <source>Advanced Search</source>
        <translation>Ricerca avanzata</translation>
    </message>
    <message>
        <source>Advanced search mode</source>
        <translation>Modalità ricerca avanzata</translation>
    </message>
    <message>
        <source>Tagger</source>
        <translation>Etichettatore</translation>
    </message>
    <message>
        <source>Word Form Search</source>
        <translation>Ricerca forme</translation>
    </message>
    <message>
        <source>Word form search mode</source>
        <translation>Modalità ricerca forme flesse</translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation>&amp;Ingrandisci</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Ingrandisci il testo</translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation>&amp;Riduci</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Riduci il testo</translation>
    </message>
    <message>
        <source>Available Dictionaries</source>
        <translation>Dizionari disponibili</translation>
    </message>
    <message>
        <source>Show all available dictionaries</source>
        <translation>Mostra tutti i dizionari disponibili</translation>
    </message>
    <message>
        <source>Not ready</source>
        <translation>Non pronto</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Pronto</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Consultazione</translation>
    </message>
    <message>
        <source> Warning</source>
        <translation> - Avviso</translation>
    </message>
    <message>
        <source>Warning: there are not installed dictionaries: most features of Lexorin will be unavailable.</source>
        <translation>Attenzione: non ci sono dizionari installati: la maggior parte delle funzioni di Lexorin non sarà disponibile.</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Visualizza</translation>
    </message>
    <message>
        <source>&amp;Target Language</source>
        <translation>Lingua di &amp;arrivo</translation>
    </message>
    <message>
        <source>Target Language</source>
        <translation>Lingua di arrivo</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 di %2</translation>
    </message>
    <message>
        <source>Word forms</source>
        <translation>Forme della parola</translation>
    </message>
</context>
<context>
    <name>TZelDicLookProgressForm</name>
    <message>
        <source>Items found:</source>
        <translation>Elementi trovati:</translation>
    </message>
</context>
<context>
    <name>TZelDicRichViewForm</name>
    <message>
        <source>%1: word not found</source>
        <translation>%1: parola non trovata</translation>
    </message>
    <message>
        <source>%1: number</source>
        <translation>%1: numero</translation>
    </message>
    <message>
        <source>%1: punctuation</source>
        <translation>%1: punteggiatura</translation>
    </message>
    <message>
        <source>%1: symbol</source>
        <translation>%1: simbolo</translation>
    </message>
    <message>
        <source>%1 characters counted, the page holds %2</source>
        <translation>%1 caratteri contati, la pagina ne contiene %2</translation>
    </message>
    <message>
        <source>Cannot show the picture %1: %2</source>
        <translation>Impossibile mostrare l&apos;immagine %1: %2</translation>
    </message>
    <message>
        <source>Entry</source>
        <translation>Voce</translation>
    </message>
</context>
<context>
    <name>TZelDicViewFlexForm</name>
    <message>
        <source>Word Forms</source>
        <translation>Forme flesse</translation>
    </message>
</context>
<context>
    <name>TZelDicViewForm</name>
    <message>
        <source>Dock this window</source>
        <translation>Aggancia questa finestra</translation>
    </message>
    <message>
        <source>Dock this window at the main window</source>
        <translation>Aggancia questa finestra alla finestra principale</translation>
    </message>
    <message>
        <source>Float this window</source>
        <translation>Sgancia questa finestra</translation>
    </message>
</context>
<context>
    <name>TZelDicViewPageForm</name>
    <message>
        <source>Hypertext Mode</source>
        <translation>Modalità ipertesto</translation>
    </message>
    <message>
        <source>Hypertext mode</source>
        <translation>Modalità ipertesto</translation>
    </message>
    <message>
        <source>Selection Mode</source>
        <translation>Modalità selezione</translation>
    </message>
    <message>
        <source>Selection mode</source>
        <translation>Modalità selezione</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid length</source>
        <translation>&apos;%1&apos; non è una lunghezza valida</translation>
    </message>
    <message>
        <source>Cannot show the picture %1: %2</source>
        <translation>Impossibile mostrare l&apos;immagine %1: %2</translation>
    </message>
</context>
<context>
    <name>TZelDoc</name>
    <message>
        <source>%1 file</source>
        <translation>File %1</translation>
    </message>
    <message>
        <source>Cannot save to an empty file name</source>
        <translation>Impossibile salvare senza un nome di file</translation>
    </message>
    <message>
        <source>Text files (*.txt)</source>
        <translation>File di testo (*.txt)</translation>
    </message>
    <message>
        <source>Rich Text Format (*.rtf)</source>
        <translation>Rich Text Format (*.rtf)</translation>
    </message>
</context>
<context>
    <name>TZelDocAppForm</name>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Nuovo</translation>
    </message>
    <message>
        <source>Create a new document</source>
        <translation>Crea un nuovo documento</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Apri...</translation>
    </message>
    <message>
        <source>Open an existing file</source>
        <translation>Apre un file esistente</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Salva</translation>
    </message>
    <message>
        <source>Save the current document</source>
        <translation>Salva il documento corrente</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Salva &amp;con nome...</translation>
    </message>
    <message>
        <source>Save the current document with a new name</source>
        <translation>Salva il documento corrente con un nuovo nome</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;Taglia</translation>
    </message>
    <message>
        <source>Cut the selection and put it on the clipboard</source>
        <translation>Taglia la selezione e la mette negli appunti</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copia</translation>
    </message>
    <message>
        <source>Copy the selection and put it on the clipboard</source>
        <translation>Copia la selezione negli appunti</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>I&amp;ncolla</translation>
    </message>
    <message>
        <source>Paste the clipboard contents</source>
        <translation>Incolla il contenuto degli appunti</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Annulla</translation>
    </message>
    <message>
        <source>Undo the last action</source>
        <translation>Annulla l&apos;ultima azione</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Ripristina</translation>
    </message>
    <message>
        <source>Redo the previously undone action</source>
        <translation>Ripristina l&apos;azione annullata</translation>
    </message>
    <message>
        <source>&amp;Register as Default Editor</source>
        <translation>&amp;Registra come editor predefinito</translation>
    </message>
    <message>
        <source>Register this program as the default editor</source>
        <translation>Registra questo programma come editor predefinito</translation>
    </message>
    <message>
        <source>&amp;Reopen</source>
        <translation>&amp;Riapri</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Read Only</source>
        <translation>Sola lettura</translation>
    </message>
    <message>
        <source>Modified</source>
        <translation>Modificato</translation>
    </message>
    <message>
        <source>Save changes to &apos;%1&apos;?</source>
        <translation>Salvare le modifiche a &apos;%1&apos;?</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Tutti i file (*)</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Apri</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Salva con nome</translation>
    </message>
</context>
<context>
    <name>TZelFlagDataModule</name>
    <message>
        <source>The file is damaged</source>
        <translation>Il file è danneggiato</translation>
    </message>
</context>
<context>
    <name>TZelHelpBrowser</name>
    <message>
        <source>The help file %1 cannot be read.</source>
        <translation>Impossibile leggere il file della guida %1.</translation>
    </message>
    <message>
        <source>Search the help</source>
        <translation>Cerca nella guida</translation>
    </message>
    <message>
        <source>No topic holds these words.</source>
        <translation>Nessun argomento contiene queste parole.</translation>
    </message>
</context>
<context>
    <name>TZelHelpManager</name>
    <message>
        <source>There is no help for this item (topic %1).</source>
        <translation>Non c&apos;è una guida per questo elemento (argomento %1).</translation>
    </message>
</context>
<context>
    <name>TZelLXQueryFrame</name>
    <message>
        <source>Search</source>
        <translation>Cerca</translation>
    </message>
    <message>
        <source>Clear Query</source>
        <translation>Cancella ricerca</translation>
    </message>
    <message>
        <source>Clear query</source>
        <translation>Cancella ricerca</translation>
    </message>
    <message>
        <source>Erase the current query</source>
        <translation>Cancella la ricerca corrente</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Aggiungi</translation>
    </message>
    <message>
        <source>Add condition</source>
        <translation>Aggiungi condizione</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Elimina</translation>
    </message>
    <message>
        <source>Delete condition</source>
        <translation>Elimina condizione</translation>
    </message>
    <message>
        <source>Condition %1</source>
        <translation>Condizione %1</translation>
    </message>
</context>
<context>
    <name>TZelLXQueryItemFrame</name>
    <message>
        <source>Add condition</source>
        <translation>Aggiungi condizione</translation>
    </message>
    <message>
        <source>Delete condition</source>
        <translation>Elimina condizione</translation>
    </message>
    <message>
        <source>And or Or</source>
        <translation>E oppure O</translation>
    </message>
    <message>
        <source>Not</source>
        <translation>Non</translation>
    </message>
    <message>
        <source>Operator</source>
        <translation>Operatore</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Valore</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>Distanza</translation>
    </message>
    <message>
        <source>Second value</source>
        <translation>Secondo valore</translation>
    </message>
</context>
<context>
    <name>TZelLangForm</name>
    <message>
        <source>Analyze</source>
        <translation>Analizza</translation>
    </message>
    <message>
        <source>Analyze the current sentence</source>
        <translation>Analizza la frase corrente</translation>
    </message>
    <message>
        <source>&amp;Paste and Analyze</source>
        <translation>I&amp;ncolla e analizza</translation>
    </message>
    <message>
        <source>Paste and analyze</source>
        <translation>Incolla e analizza</translation>
    </message>
    <message>
        <source>Analyze &amp;Selected Text</source>
        <translation>Analizza testo &amp;selezionato</translation>
    </message>
    <message>
        <source>Analyze the selected text</source>
        <translation>Analizza il testo selezionato</translation>
    </message>
    <message>
        <source>&amp;Clear Text</source>
        <translation>&amp;Cancella testo</translation>
    </message>
    <message>
        <source>Erase the current text</source>
        <translation>Cancella il testo corrente</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Salva</translation>
    </message>
    <message>
        <source>Save the current text</source>
        <translation>Salva il testo corrente</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Salva &amp;con nome...</translation>
    </message>
    <message>
        <source>Save the current text with a new file name</source>
        <translation>Salva il testo corrente con un nuovo nome</translation>
    </message>
    <message>
        <source>&amp;Source Language</source>
        <translation>&amp;Lingua di partenza</translation>
    </message>
    <message>
        <source>Analyzer</source>
        <translation>Analizzatore</translation>
    </message>
    <message>
        <source>Source Language</source>
        <translation>Lingua di partenza</translation>
    </message>
    <message>
        <source>Source text</source>
        <translation>Testo di partenza</translation>
    </message>
</context>
<context>
    <name>TZelLemmaQueryFrame</name>
    <message>
        <source>Show Text Found</source>
        <translation>Mostra testo trovato</translation>
    </message>
    <message>
        <source>Show text found</source>
        <translation>Mostra il testo trovato</translation>
    </message>
    <message>
        <source>Case Sensitive Query</source>
        <translation>Distingui maiuscole</translation>
    </message>
    <message>
        <source>Case sensitive query</source>
        <translation>Ricerca che distingue le maiuscole</translation>
    </message>
    <message>
        <source>Query Multiwords</source>
        <translation>Cerca polirematiche</translation>
    </message>
    <message>
        <source>Query also multiwords</source>
        <translation>Cerca anche le polirematiche</translation>
    </message>
    <message>
        <source>Dictionary:</source>
        <translation>Dizionario:</translation>
    </message>
</context>
<context>
    <name>TZelLuListFrame</name>
    <message>
        <source>Show Multiwords</source>
        <translation>Mostra polirematiche</translation>
    </message>
    <message>
        <source>Show also multiwords</source>
        <translation>Mostra anche le polirematiche</translation>
    </message>
    <message>
        <source>Dictionary</source>
        <translation>Dizionario</translation>
    </message>
    <message>
        <source>Find headword</source>
        <translation>Trova lemma</translation>
    </message>
    <message>
        <source>Headwords</source>
        <translation>Lemmi</translation>
    </message>
</context>
<context>
    <name>TZelMorphTreeFrame</name>
    <message>
        <source>Analysis</source>
        <translation>Analisi</translation>
    </message>
</context>
<context>
    <name>TZelNVMainForm</name>
    <message>
        <source>Dictionary</source>
        <translation>Dizionario</translation>
    </message>
    <message>
        <source>Grammar notes</source>
        <translation>Note grammaticali</translation>
    </message>
    <message>
        <source>Lexical notes</source>
        <translation>Note lessicali</translation>
    </message>
    <message>
        <source>Annotations</source>
        <translation>Annotazioni</translation>
    </message>
    <message>
        <source>View %1</source>
        <translation>Vista %1</translation>
    </message>
    <message>
        <source>Quick Norvel</source>
        <translation>Norvel rapido</translation>
    </message>
    <message>
        <source>Run Quick Norvel</source>
        <translation>Avvia Norvel rapido</translation>
    </message>
    <message>
        <source>Query Phrasal Verbs</source>
        <translation>Cerca verbi frasali</translation>
    </message>
    <message>
        <source>Query also phrasal verbs</source>
        <translation>Cerca anche i verbi frasali</translation>
    </message>
    <message>
        <source>Show Phrasal Verbs</source>
        <translation>Mostra verbi frasali</translation>
    </message>
    <message>
        <source>Show also phrasal verbs</source>
        <translation>Mostra anche i verbi frasali</translation>
    </message>
    <message>
        <source>English &amp;Correspondence</source>
        <translation>&amp;Corrispondenza in inglese</translation>
    </message>
</context>
<context>
    <name>TZelNVStartup</name>
    <message>
        <source>An Italian–English dictionary workstation.</source>
        <translation>Una postazione di consultazione italiano–inglese.</translation>
    </message>
</context>
<context>
    <name>TZelProgressForm</name>
    <message>
        <source>Estimated total time:</source>
        <translation>Tempo totale stimato:</translation>
    </message>
    <message>
        <source>Estimated left time:</source>
        <translation>Tempo residuo stimato:</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>Close when &amp;done</source>
        <translation>Chiudi al &amp;termine</translation>
    </message>
    <message>
        <source>Progress:</source>
        <translation>Avanzamento:</translation>
    </message>
    <message>
        <source>Elapsed time:</source>
        <translation>Tempo trascorso:</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Chiudi</translation>
    </message>
</context>
<context>
    <name>TZelQNVForm</name>
    <message>
        <source>Quick Norvel</source>
        <translation>Norvel rapido</translation>
    </message>
    <message>
        <source>Italiano → English</source>
        <translation>Italiano → English</translation>
    </message>
    <message>
        <source>English → Italiano</source>
        <translation>English → Italiano</translation>
    </message>
    <message>
        <source>Type a word</source>
        <translation>Scrivi una parola</translation>
    </message>
    <message>
        <source>Norvel</source>
        <translation>Norvel</translation>
    </message>
    <message>
        <source>Look the word up in Norvel&apos;s main window (Ctrl+Enter)</source>
        <translation>Cerca la parola nella finestra principale di Norvel (Ctrl+Invio)</translation>
    </message>
    <message>
        <source>No entry for &quot;%1&quot;</source>
        <translation>Nessuna voce per «%1»</translation>
    </message>
    <message>
        <source>Norvel is not running.</source>
        <translation>Norvel non è in esecuzione.</translation>
    </message>
</context>
<context>
    <name>TZelQtSoundPlayer</name>
    <message>
        <source>A sound of the dictionary is no wave image this program can play.</source>
        <translation>Un suono del dizionario non è un&apos;immagine wave che questo programma può riprodurre.</translation>
    </message>
    <message>
        <source>There is no audio device: sounds are not played.</source>
        <translation>Non c&apos;è alcun dispositivo audio: i suoni non vengono riprodotti.</translation>
    </message>
    <message>
        <source>The audio device cannot play sounds.</source>
        <translation>Il dispositivo audio non può riprodurre suoni.</translation>
    </message>
</context>
<context>
    <name>TZelSlv2MainForm</name>
    <message>
        <source>&amp;Selvano Home Page</source>
        <translation>Sito di &amp;Selvano</translation>
    </message>
    <message>
        <source>Open the Selvano home page using the default navigator</source>
        <translation>Apre il sito di Selvano con il browser predefinito</translation>
    </message>
    <message>
        <source>Insert &amp;Annotation</source>
        <translation>Inserisci &amp;annotazione</translation>
    </message>
    <message>
        <source>Insert annotation to current lemma</source>
        <translation>Inserisce un&apos;annotazione al lemma corrente</translation>
    </message>
    <message>
        <source>Quick Answer</source>
        <translation>Risposta rapida</translation>
    </message>
    <message>
        <source>Run Quick Answer</source>
        <translation>Avvia Risposta rapida</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>S&amp;trumenti</translation>
    </message>
    <message>
        <source>Available tools</source>
        <translation>Strumenti disponibili</translation>
    </message>
    <message>
        <source>Source Language</source>
        <translation>Lingua di partenza</translation>
    </message>
    <message>
        <source>Annotation Editor</source>
        <translation>Editor delle annotazioni</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
    </message>
</context>
<context>
    <name>TZelViewManagerFrame</name>
    <message>
        <source>Back</source>
        <translation>Indietro</translation>
    </message>
    <message>
        <source>Go back</source>
        <translation>Torna indietro</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Avanti</translation>
    </message>
    <message>
        <source>Go forward</source>
        <translation>Vai avanti</translation>
    </message>
</context>
<context>
    <name>ZelActions</name>
    <message>
        <source>More commands</source>
        <translation>Altri comandi</translation>
    </message>
</context>
<context>
    <name>ZelGuiTranslations</name>
    <message>
        <source>Annotations (English - Italian)</source>
        <translation>Annotazioni (inglese - italiano)</translation>
    </message>
    <message>
        <source>Annotations (Italian - English)</source>
        <translation>Annotazioni (italiano - inglese)</translation>
    </message>
    <message>
        <source>Dictionary (English - Italian)</source>
        <translation>Dizionario (inglese - italiano)</translation>
    </message>
    <message>
        <source>Dictionary (Italian - English)</source>
        <translation>Dizionario (italiano - inglese)</translation>
    </message>
    <message>
        <source>Grammar notes (English - Italian)</source>
        <translation>Note grammaticali (inglese - italiano)</translation>
    </message>
    <message>
        <source>Grammar notes (Italian - English)</source>
        <translation>Note grammaticali (italiano - inglese)</translation>
    </message>
    <message>
        <source>Lexical notes (headword list) (English - Italian)</source>
        <translation>Note lessicali (elenco lemmi) (inglese - italiano)</translation>
    </message>
    <message>
        <source>Lexical notes (headword list) (Italian - English)</source>
        <translation>Note lessicali (elenco lemmi) (italiano - inglese)</translation>
    </message>
    <message>
        <source>Lexical notes (title list) (English - Italian)</source>
        <translation>Note lessicali (elenco titoli) (inglese - italiano)</translation>
    </message>
    <message>
        <source>Lexical notes (title list) (Italian - English)</source>
        <translation>Note lessicali (elenco titoli) (italiano - inglese)</translation>
    </message>
    <message>
        <source>adjective</source>
        <translation>aggettivo</translation>
    </message>
    <message>
        <source>adverb</source>
        <translation>avverbio</translation>
    </message>
    <message>
        <source>AE/BE</source>
        <translation>AE/BE</translation>
    </message>
    <message>
        <source>American English</source>
        <translation>Inglese americano</translation>
    </message>
    <message>
        <source>article</source>
        <translation>articolo</translation>
    </message>
    <message>
        <source>British English</source>
        <translation>Inglese britannico</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Categoria</translation>
    </message>
    <message>
        <source>Collocates</source>
        <translation>Collocazioni</translation>
    </message>
    <message>
        <source>conjunction</source>
        <translation>congiunzione</translation>
    </message>
    <message>
        <source>demonstrative</source>
        <translation>dimostrativo</translation>
    </message>
    <message>
        <source>determiner</source>
        <translation>determinante</translation>
    </message>
    <message>
        <source>esclamatory</source>
        <translation>esclamativo</translation>
    </message>
    <message>
        <source>Examples</source>
        <translation>Esempi</translation>
    </message>
    <message>
        <source>feminine</source>
        <translation>femminile</translation>
    </message>
    <message>
        <source>Full text</source>
        <translation>Testo completo</translation>
    </message>
    <message>
        <source>transitive</source>
        <translation>transitivo</translation>
    </message>
    <message>
        <source>verb</source>
        <translation>verbo</translation>
    </message>
    <message>
        <source>Idioms</source>
        <translation>Locuzioni</translation>
    </message>
    <message>
        <source>&amp;Idioms</source>
        <translation>&amp;Locuzioni</translation>
    </message>
    <message>
        <source>impersonal</source>
        <translation>impersonale</translation>
    </message>
    <message>
        <source>indefinite</source>
        <translation>indefinito</translation>
    </message>
    <message>
        <source>interjection</source>
        <translation>interiezione</translation>
    </message>
    <message>
        <source>interrogative</source>
        <translation>interrogativo</translation>
    </message>
    <message>
        <source>intransitive</source>
        <translation>intransitivo</translation>
    </message>
    <message>
        <source>Headword</source>
        <translation>Lemma</translation>
    </message>
    <message>
        <source>masculine</source>
        <translation>maschile</translation>
    </message>
    <message>
        <source>modal</source>
        <translation>modale</translation>
    </message>
    <message>
        <source>modifier</source>
        <translation>modificatore</translation>
    </message>
    <message>
        <source>noun</source>
        <translation>sostantivo</translation>
    </message>
    <message>
        <source>past participle</source>
        <translation>participio passato</translation>
    </message>
    <message>
        <source>personal</source>
        <translation>personale</translation>
    </message>
    <message>
        <source>Phrasal verbs</source>
        <translation>Verbi frasali</translation>
    </message>
    <message>
        <source>&amp;Phrasal Verbs</source>
        <translation>Verbi &amp;frasali</translation>
    </message>
    <message>
        <source>possessive</source>
        <translation>possessivo</translation>
    </message>
    <message>
        <source>preposition</source>
        <translation>preposizione</translation>
    </message>
    <message>
        <source>pronominal</source>
        <translation>pronominale</translation>
    </message>
    <message>
        <source>pronoun</source>
        <translation>pronome</translation>
    </message>
    <message>
        <source>proper</source>
        <translation>proprio</translation>
    </message>
    <message>
        <source>quantifier</source>
        <translation>quantificatore</translation>
    </message>
    <message>
        <source>reflexive</source>
        <translation>riflessivo</translation>
    </message>
    <message>
        <source>Set noun phrases</source>
        <translation>Locuzioni nominali</translation>
    </message>
    <message>
        <source>&amp;Set Noun Phrases</source>
        <translation>Locuzioni &amp;nominali</translation>
    </message>
    <message>
        <source>Translations</source>
        <translation>Traduzioni</translation>
    </message>
    <message>
        <source>relative</source>
        <translation>relativo</translation>
    </message>
    <message>
        <source>Pronunciation</source>
        <translation>Pronuncia</translation>
    </message>
    <message>
        <source>Show the pronunciation</source>
        <translation>Mostra la pronuncia</translation>
    </message>
    <message>
        <source>Sources</source>
        <translation>Fonti</translation>
    </message>
    <message>
        <source>Show where each translation comes from</source>
        <translation>Mostra da dove viene ogni traduzione</translation>
    </message>
</context>
</TS>
