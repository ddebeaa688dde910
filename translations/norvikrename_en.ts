<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="nl_NL">
<context>
    <name>Window</name>
    <message>
        <source>Start gemaximaliseerd</source>
        <translation>Start maximised</translation>
    </message>
    <message>
        <source>Onthoud laatste pad</source>
        <translation>Remember the last path</translation>
    </message>
    <message>
        <source>Onthoud positie en grootte.</source>
        <translation>Remember position and size</translation>
    </message>
    <message>
        <source>Herlaad gebruikersinstelling bij het opstarten</source>
        <translation>Reload the user options at start-up</translation>
    </message>
    <message>
        <source>Controleer de naam en extentie opties niet na het hernoemen.</source>
        <translation>Untick the name and extension options after renaming</translation>
    </message>
    <message>
        <source>Vraag toestemming voor het hernoemen van bestanden</source>
        <translation>Ask for confirmation before renaming files</translation>
    </message>
    <message>
        <source>Sorteer de kolomnaam als nummer</source>
        <translation>Sort the name column as numbers</translation>
    </message>
    <message>
        <source>Start alleen met filteren als de RETURN-toets is ingedrukt.</source>
        <translation>Start filtering only when the Return key is pressed</translation>
    </message>
    <message>
        <source>Gebruik GMT+0[UTC] als de huidige datum wordt ingevoegd</source>
        <translation>Use GMT+0 [UTC] when inserting the current date</translation>
    </message>
    <message>
        <source>Algemene instellingen</source>
        <translation>General settings</translation>
    </message>
    <message>
        <source>Voeg &quot;%1&quot; toe voor de shell</source>
        <translation>Add &quot;%1&quot; to the file manager</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Annuleren</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>&amp;Taal</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>Systeem</source>
        <translation>System</translation>
    </message>
    <message>
        <source>Een andere taal geldt vanaf de volgende start.</source>
        <translation>A new language takes effect at the next start.</translation>
    </message>
    <message>
        <source>Versie %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Licentie: GNU GPL, versie 3 of later</source>
        <translation>Licence: GNU GPL, version 3 or later</translation>
    </message>
    <message>
        <source>&amp;Over NorvikRename</source>
        <translation>&amp;About NorvikRename</translation>
    </message>
    <message>
        <source>Voorbeeld</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>Bestand</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Pad</source>
        <translation>Path</translation>
    </message>
    <message>
        <source>Grootte</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Ext</source>
        <translation>Ext</translation>
    </message>
    <message>
        <source>Gemaakt</source>
        <translation>Created</translation>
    </message>
    <message>
        <source>Gewijzigd</source>
        <translation>Modified</translation>
    </message>
    <message>
        <source>Laatst geopend</source>
        <translation>Last accessed</translation>
    </message>
    <message>
        <source>Attributen</source>
        <translation>Attributes</translation>
    </message>
    <message>
        <source>Naam</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Autonummering</source>
        <translation>Autonumber</translation>
    </message>
    <message>
        <source>Foutcode</source>
        <translation>Error code</translation>
    </message>
    <message>
        <source>Foutbeschrijving</source>
        <translation>Error description</translation>
    </message>
    <message>
        <source>Bestandsnaam van</source>
        <translation>Old name</translation>
    </message>
    <message>
        <source>Bestandsnaam voor</source>
        <translation>New name</translation>
    </message>
    <message>
        <source>Selecteer map</source>
        <translation>Select folder</translation>
    </message>
    <message>
        <source>items</source>
        <translation>items</translation>
    </message>
    <message>
        <source>INI bestanden (*.ini)|*.ini|Alle bestanden (*.*)|*.*||</source>
        <translation>INI files (*.ini)|*.ini|All files (*.*)|*.*||</translation>
    </message>
    <message>
        <source>Batch bestanden (*.bat)|*.bat|Alle bestanden (*.*)|*.*||</source>
        <translation>Batch files (*.bat)|*.bat|All files (*.*)|*.*||</translation>
    </message>
    <message>
        <source>Tekstbestanden (*.txt)|*.txt|Alle bestanden (*.*)|*.*||</source>
        <translation>Text files (*.txt)|*.txt|All files (*.*)|*.*||</translation>
    </message>
    <message>
        <source>Kan geen tekstbestanden groter dan 8Mb openen.</source>
        <translation>Cannot open text files larger than 8 MB.</translation>
    </message>
    <message>
        <source>Waarschuwing</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Het bestand [%s] kan niet geopend worden.</source>
        <translation>The file [%s] cannot be opened.</translation>
    </message>
    <message>
        <source>Er is niet voldoende geheugen om het bestand te openen.</source>
        <translation>There is not enough memory to open the file.</translation>
    </message>
    <message>
        <source>Er zijn geen bestanden met de huidige opties te hernoemen.</source>
        <translation>There are no files to rename with the current options.</translation>
    </message>
    <message>
        <source>Er zijn geen hernoemde bestanden om te herstellen.</source>
        <translation>There are no renamed files to undo.</translation>
    </message>
    <message>
        <source>Er zijn fouten ontstaan bij het hernoemen van bestanden.</source>
        <translation>Errors occurred while renaming files.</translation>
    </message>
    <message>
        <source>Er zijn fouten ontstaan bij het herstellen van eerder hernoemde bestanden.</source>
        <translation>Errors occurred while undoing earlier renames.</translation>
    </message>
    <message>
        <source>Dubbelklik voor een voorbeeld</source>
        <translation>Double-click for a preview</translation>
    </message>
    <message>
        <source>Er zijn geen te hernoemen bestanden met de huidige opties om een .bat bestand te maken.</source>
        <translation>There are no files to rename with the current options to make a .bat file from.</translation>
    </message>
    <message>
        <source>Kan het batch-bestand 
[%s] niet maken</source>
        <translation>Cannot create the batch file
[%s]</translation>
    </message>
    <message>
        <source>Het .BAT bestand is opgeslagen. OK.</source>
        <translation>The .BAT file has been saved.</translation>
    </message>
    <message>
        <source>Het voorbeeldbestand is opgeslagen. OK.</source>
        <translation>The preview file has been saved.</translation>
    </message>
    <message>
        <source>Kan het configuratiebestand 
[%s] niet maken</source>
        <translation>Cannot create the options file
[%s]</translation>
    </message>
    <message>
        <source>Norvik Rename gaat de geselecteerde bestanden hernoemen. n\Wilt u doorgaan?</source>
        <translation>Norvik Rename will rename the selected files. Do you want to continue?</translation>
    </message>
    <message>
        <source>Norvik Rename gaat alle bestanden hernoemen. 
Wilt u doorgaan.</source>
        <translation>Norvik Rename will rename all files.
Do you want to continue?</translation>
    </message>
    <message>
        <source>Sla huidige gebruikersinstellingen op</source>
        <translation>Save the current user options</translation>
    </message>
    <message>
        <source>Haal gebruikersinstellingen op</source>
        <translation>Load user options</translation>
    </message>
    <message>
        <source>Afgebroken... Een ogenblik geduld aub.</source>
        <translation>Cancelled... Please wait.</translation>
    </message>
    <message>
        <source>Kan geen toegang krijgen tot station 

[%s]</source>
        <translation>Cannot access the drive

[%s]</translation>
    </message>
    <message>
        <source>Kan de geselecteerde map 

[%s] niet openen</source>
        <translation>Cannot open the selected folder

[%s]</translation>
    </message>
    <message>
        <source>Rekenvoorbeeld</source>
        <translation>Computing the preview</translation>
    </message>
    <message>
        <source>De bestandsnaam mag geen van deze ongeldige karakters hebben: 

 \ / : * ? &quot; &lt; &gt; |</source>
        <translation>A file name cannot contain any of these characters:

 \ / : * ? &quot; &lt; &gt; |</translation>
    </message>
    <message>
        <source>Fout bij het hernoemen van het bestand</source>
        <translation>Error renaming the file</translation>
    </message>
    <message>
        <source>U moet een geldige waarde ingeven tussen 1 en 256 in de &apos;Bestandsnaam lengte&apos; bewerkingstekst.</source>
        <translation>Enter a value between 1 and 256 in the &apos;File name length&apos; box.</translation>
    </message>
    <message>
        <source>U moet enige waarden ingeven in de &apos;Bestandsgrootte&apos; bewerkingstekst.</source>
        <translation>Enter a value in the &apos;File size&apos; box.</translation>
    </message>
    <message>
        <source>Bytes</source>
        <translation>Bytes</translation>
    </message>
    <message>
        <source>Kilobytes</source>
        <translation>Kilobytes</translation>
    </message>
    <message>
        <source>Megabyties</source>
        <translation>Megabytes</translation>
    </message>
    <message>
        <source>Bezig met hernoemen. Een ogenblik geduld aub...</source>
        <translation>Renaming. Please wait...</translation>
    </message>
    <message>
        <source>Bezig met herstellen. Een ogenblik geduld aub...</source>
        <translation>Undoing. Please wait...</translation>
    </message>
    <message>
        <source>[%s]

 is geen geldig pad</source>
        <translation>[%s]

 is not a valid path</translation>
    </message>
    <message>
        <source>Vraag</source>
        <translation>Question</translation>
    </message>
    <message>
        <source>Informatie</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Fout</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Kan het optiebestand [%s] niet lezen: %s</source>
        <translation>Cannot read the options file [%s]: %s</translation>
    </message>
    <message>
        <source>Het herstelbestand [%s] kan de volgende hernoeming niet vastleggen: %s. Er wordt niets meer hernoemd.</source>
        <translation>The undo file [%s] cannot record the next rename: %s. Nothing more will be renamed.</translation>
    </message>
    <message>
        <source>Wisselingen en ketens toestaan</source>
        <translation>Allow swaps and chains</translation>
    </message>
    <message>
        <source>botsing</source>
        <translation>collision</translation>
    </message>
    <message>
        <source>botsingen</source>
        <translation>collisions</translation>
    </message>
    <message>
        <source>Niet te hernoemen: [%s] krijgt deze nieuwe naam eerder</source>
        <translation>Cannot be renamed: [%s] gets this new name first</translation>
    </message>
    <message>
        <source>Niet te hernoemen: [%s] bestaat al</source>
        <translation>Cannot be renamed: [%s] already exists</translation>
    </message>
    <message>
        <source>1 bestand wordt niet hernoemd: zijn nieuwe naam botst met een ander bestand.</source>
        <translation>1 file will not be renamed: its new name collides with another file.</translation>
    </message>
    <message>
        <source>%s bestanden worden niet hernoemd: hun nieuwe naam botst met een ander bestand.</source>
        <translation>%s files will not be renamed: their new names collide with other files.</translation>
    </message>
    <message>
        <source>niet te controleren</source>
        <translation>not checked</translation>
    </message>
    <message>
        <source>Niet te controleren: de map [%s] kan niet worden gelezen</source>
        <translation>Cannot be checked: the folder [%s] cannot be read</translation>
    </message>
    <message>
        <source>Verplaats naar de bovenliggende map</source>
        <translation>Go to the parent folder</translation>
    </message>
    <message>
        <source>Verplaats naar de vorige map</source>
        <translation>Go to the previous folder</translation>
    </message>
    <message>
        <source>Verplaats naar de volgende map</source>
        <translation>Go to the next folder</translation>
    </message>
    <message>
        <source>Adres geschiedenis</source>
        <translation>Address history</translation>
    </message>
    <message>
        <source>Sla het huidige voorbeeld op</source>
        <translation>Save the current preview</translation>
    </message>
    <message>
        <source>Vernieuw bestanden</source>
        <translation>Refresh files</translation>
    </message>
    <message>
        <source>Toon mappen</source>
        <translation>Show folders</translation>
    </message>
    <message>
        <source>Toon bestanden</source>
        <translation>Show files</translation>
    </message>
    <message>
        <source>Werk met mappen (mappen als bestanden)</source>
        <translation>Work with folders (folders as files)</translation>
    </message>
    <message>
        <source>Recursieve modus</source>
        <translation>Recursive mode</translation>
    </message>
    <message>
        <source>Toon tekstverwerker</source>
        <translation>Show the text editor</translation>
    </message>
    <message>
        <source>Hernoem de huidige selectie</source>
        <translation>Rename the current selection</translation>
    </message>
    <message>
        <source>Herstellen</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Maak een .BAT bestand</source>
        <translation>Create a .BAT file</translation>
    </message>
    <message>
        <source>Maak een herstel .BAT bestand</source>
        <translation>Create an undo .BAT file</translation>
    </message>
    <message>
        <source>Selecteer station</source>
        <translation>Select drive</translation>
    </message>
    <message>
        <source>Uitgebreid filteropties</source>
        <translation>Extended filter options</translation>
    </message>
    <message>
        <source>Toon het info-venster</source>
        <translation>Show the About box</translation>
    </message>
    <message>
        <source>Configureer de kleuren voor het beeld/voorbeeldvenster</source>
        <translation>Configure the colours of the file list and the preview</translation>
    </message>
    <message>
        <source>Toon het helpbestand</source>
        <translation>Show the help file</translation>
    </message>
</context>
</TS>
