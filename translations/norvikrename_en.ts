<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="nl_NL">
<context>
    <name>Window</name>
    <message>
        <source>Start gemaximaliseerd</source>
        <translation>Start maximized</translation>
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
        <translation>Uncheck the name and extension options after renaming</translation>
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
        <translation>License: GNU GPL, version 3 or later</translation>
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
        <translation>Canceled... Please wait.</translation>
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
        <translation>Configure the colors of the file list and the preview</translation>
    </message>
    <message>
        <source>Toon het helpbestand</source>
        <translation>Show the help file</translation>
    </message>
    <message>
        <source>Bestandenlijst</source>
        <translation>File list</translation>
    </message>
    <message>
        <source>Voorbeeldvenster</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>Sla huidig voorbeeld op als .TXT bestand</source>
        <translation>Save the current preview as a .TXT file</translation>
    </message>
    <message>
        <source>Openen NR opties uit .INI</source>
        <translation>Open NR options from .INI</translation>
    </message>
    <message>
        <source>Opslaan NR opties in .INI</source>
        <translation>Save NR options to .INI</translation>
    </message>
    <message>
        <source>Herstellen van de standaard opties</source>
        <translation>Restore the default options</translation>
    </message>
    <message>
        <source>Alles selecteren</source>
        <translation>Select all</translation>
    </message>
    <message>
        <source>Naar de bestandenlijst</source>
        <translation>Go to the file list</translation>
    </message>
    <message>
        <source>Naar het masker</source>
        <translation>Go to the mask</translation>
    </message>
    <message>
        <source>Tekst in een breed venster</source>
        <translation>Text in a wide window</translation>
    </message>
    <message>
        <source>Volgende tab</source>
        <translation>Next tab</translation>
    </message>
    <message>
        <source>Rijen omhoog</source>
        <translation>Move rows up</translation>
    </message>
    <message>
        <source>Rijen omlaag</source>
        <translation>Move rows down</translation>
    </message>
    <message>
        <source>1-Padengeschiedenis</source>
        <translation>1-Path history</translation>
    </message>
    <message>
        <source>Maak een hernoem .BAT bestand</source>
        <translation>Make a rename .BAT file</translation>
    </message>
    <message>
        <source>3-Voorbeeld</source>
        <translation>3-Preview</translation>
    </message>
    <message>
        <source>Shell-scripts (*.sh)</source>
        <translation>Shell scripts (*.sh)</translation>
    </message>
    <message>
        <source>Werkbalk</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>&amp;Pad</source>
        <translation>&amp;Path</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>Folder</translation>
    </message>
    <message>
        <source>&amp;Masker</source>
        <translation>&amp;Mask</translation>
    </message>
    <message>
        <source>Masker</source>
        <translation>Mask</translation>
    </message>
    <message>
        <source>Regels</source>
        <translation>Rules</translation>
    </message>
    <message>
        <source>Hernoem &amp;alleen de geselecteerde bestanden</source>
        <translation>Rename &amp;only the selected files</translation>
    </message>
    <message>
        <source>&amp;Hernoemen</source>
        <translation>&amp;Rename</translation>
    </message>
    <message>
        <source>He&amp;rstellen</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>&amp;Over</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>JJJJMMDD</source>
        <translation>YYYYMMDD</translation>
    </message>
    <message>
        <source>JJJJ-MM-DD</source>
        <translation>YYYY-MM-DD</translation>
    </message>
    <message>
        <source>DD-MM-JJJJ</source>
        <translation>DD-MM-YYYY</translation>
    </message>
    <message>
        <source>DD-MM-JJ</source>
        <translation>DD-MM-YY</translation>
    </message>
    <message>
        <source>MM-DD-JJJJ</source>
        <translation>MM-DD-YYYY</translation>
    </message>
    <message>
        <source>MM-DD-JJ</source>
        <translation>MM-DD-YY</translation>
    </message>
    <message>
        <source>UU&apos;MM</source>
        <translation>HH&apos;MM</translation>
    </message>
    <message>
        <source>DD-MM-JJJJ UU&apos;MM</source>
        <translation>DD-MM-YYYY HH&apos;MM</translation>
    </message>
    <message>
        <source>DD-MM-JJJJ UU&apos;MM&apos;SS</source>
        <translation>DD-MM-YYYY HH&apos;MM&apos;SS</translation>
    </message>
    <message>
        <source>Breedte</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>Hoogte</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>Ori:entatie</source>
        <translation>Orientation</translation>
    </message>
    <message>
        <source>IsKleur</source>
        <translation>IsColor</translation>
    </message>
    <message>
        <source>Proces</source>
        <translation>Process</translation>
    </message>
    <message>
        <source>FlashGebruikt</source>
        <translation>FlashUsed</translation>
    </message>
    <message>
        <source>Brandpuntsafstand</source>
        <translation>Focal length</translation>
    </message>
    <message>
        <source>Belichtingstijd</source>
        <translation>Exposure time</translation>
    </message>
    <message>
        <source>Diafragma</source>
        <translation>Aperture</translation>
    </message>
    <message>
        <source>Afstand</source>
        <translation>Subject distance</translation>
    </message>
    <message>
        <source>CCDWidth</source>
        <translation>CCDWidth</translation>
    </message>
    <message>
        <source>Belichtingscompensatie</source>
        <translation>Exposure bias</translation>
    </message>
    <message>
        <source>Belichting</source>
        <translation>Exposure</translation>
    </message>
    <message>
        <source>Bemeteringsmethode</source>
        <translation>Metering mode</translation>
    </message>
    <message>
        <source>Belichtingsprogramma</source>
        <translation>Exposure program</translation>
    </message>
    <message>
        <source>Camera gevoeligheid</source>
        <translation>ISO speed</translation>
    </message>
    <message>
        <source>Compressieniveau</source>
        <translation>Compression level</translation>
    </message>
    <message>
        <source>FocalplaneXRes</source>
        <translation>FocalplaneXRes</translation>
    </message>
    <message>
        <source>FocalplaneYRes</source>
        <translation>FocalplaneYRes</translation>
    </message>
    <message>
        <source>FocalplaneUnits</source>
        <translation>FocalplaneUnits</translation>
    </message>
    <message>
        <source>Xresolutie</source>
        <translation>X resolution</translation>
    </message>
    <message>
        <source>Yresolutie</source>
        <translation>Y resolution</translation>
    </message>
    <message>
        <source>Resolutie-eenheid</source>
        <translation>Resolution unit</translation>
    </message>
    <message>
        <source>Helderheid</source>
        <translation>Brightness</translation>
    </message>
    <message>
        <source>Ongeformatteerd</source>
        <translation>Unformatted</translation>
    </message>
    <message>
        <source>. geformatteerd</source>
        <translation>. formatted</translation>
    </message>
    <message>
        <source>, geformatteerd</source>
        <translation>, formatted</translation>
    </message>
    <message>
        <source>Decimalen</source>
        <translation>Decimal</translation>
    </message>
    <message>
        <source>Gebruik huidige ZeroFill</source>
        <translation>Use current ZeroFill</translation>
    </message>
    <message>
        <source>0 ZeroFill</source>
        <translation>0 ZeroFill</translation>
    </message>
    <message>
        <source>4 ZeroFill</source>
        <translation>4 ZeroFill</translation>
    </message>
    <message>
        <source>Hexadecimaal</source>
        <translation>Hexadecimal</translation>
    </message>
    <message>
        <source>Octal</source>
        <translation>Octal</translation>
    </message>
    <message>
        <source>Binary</source>
        <translation>Binary</translation>
    </message>
    <message>
        <source>8 ZeroFill</source>
        <translation>8 ZeroFill</translation>
    </message>
    <message>
        <source>16 ZeroFill</source>
        <translation>16 ZeroFill</translation>
    </message>
    <message>
        <source>MP3</source>
        <translation>MP3</translation>
    </message>
    <message>
        <source>Titel</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>Auteur</source>
        <translation>Artist</translation>
    </message>
    <message>
        <source>Album</source>
        <translation>Album</translation>
    </message>
    <message>
        <source>Genre</source>
        <translation>Genre</translation>
    </message>
    <message>
        <source>Jaar</source>
        <translation>Year</translation>
    </message>
    <message>
        <source>Commentaren</source>
        <translation>Comments</translation>
    </message>
    <message>
        <source>Track</source>
        <translation>Track</translation>
    </message>
    <message>
        <source>Bitrate</source>
        <translation>Bitrate</translation>
    </message>
    <message>
        <source>Bitrate Type</source>
        <translation>Bitrate type</translation>
    </message>
    <message>
        <source>Sample rate</source>
        <translation>Sample rate</translation>
    </message>
    <message>
        <source>Lengte</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>Seconden</source>
        <translation>Seconds</translation>
    </message>
    <message>
        <source>Kanalen</source>
        <translation>Channels</translation>
    </message>
    <message>
        <source>Mpeg versie</source>
        <translation>MPEG version</translation>
    </message>
    <message>
        <source>Mpeg Layer</source>
        <translation>MPEG layer</translation>
    </message>
    <message>
        <source>Afbeeldingen</source>
        <translation>Images</translation>
    </message>
    <message>
        <source>Breedte x Hoogte x Kleuren</source>
        <translation>Width x Height x Colors</translation>
    </message>
    <message>
        <source>Breedte x Hoogte x Bits</source>
        <translation>Width x Height x Bits</translation>
    </message>
    <message>
        <source>Kleuren (Abreviate)</source>
        <translation>Colors (abbreviated)</translation>
    </message>
    <message>
        <source>Kleuren</source>
        <translation>Colors</translation>
    </message>
    <message>
        <source>Bits</source>
        <translation>Bits</translation>
    </message>
    <message>
        <source>Gegevenskolom</source>
        <translation>Data column</translation>
    </message>
    <message>
        <source>Bestandsnaam</source>
        <translation>File name</translation>
    </message>
    <message>
        <source>Extensie</source>
        <translation>Extension</translation>
    </message>
    <message>
        <source>KBytes</source>
        <translation>KBytes</translation>
    </message>
    <message>
        <source>Mbytes</source>
        <translation>MBytes</translation>
    </message>
    <message>
        <source>Compleet pad</source>
        <translation>Full path</translation>
    </message>
    <message>
        <source>Eerste subpad vanaf links</source>
        <translation>First subfolder from the left</translation>
    </message>
    <message>
        <source>Eerste subpad vanaf rechts</source>
        <translation>First subfolder from the right</translation>
    </message>
    <message>
        <source>Opgemaakt</source>
        <translation>Created</translation>
    </message>
    <message>
        <source>Datum gewijzigd</source>
        <translation>Date modified</translation>
    </message>
    <message>
        <source>Laatst gebruikt</source>
        <translation>Last accessed</translation>
    </message>
    <message>
        <source>Vandaag</source>
        <translation>Today</translation>
    </message>
    <message>
        <source>Willekeurige naam</source>
        <translation>Random name</translation>
    </message>
    <message>
        <source>4 tekens lang</source>
        <translation>4 characters long</translation>
    </message>
    <message>
        <source>8 tekens lang</source>
        <translation>8 characters long</translation>
    </message>
    <message>
        <source>16 tekens lang</source>
        <translation>16 characters long</translation>
    </message>
    <message>
        <source>8 tekens lang met alleen cijfers</source>
        <translation>8 characters long, digits only</translation>
    </message>
    <message>
        <source>Gegevens van een extern bestand</source>
        <translation>Data from an external file</translation>
    </message>
    <message>
        <source>Voeg lijn in uit de tekstverwerker</source>
        <translation>Insert a line from the text editor</translation>
    </message>
    <message>
        <source>CDisplay Comic Reader</source>
        <translation>CDisplay Comic Reader</translation>
    </message>
    <message>
        <source>zip &gt; cbz | rar &gt; cbr</source>
        <translation>zip &gt; cbz | rar &gt; cbr</translation>
    </message>
    <message>
        <source>cbz &gt; zip | cbr &gt; rar</source>
        <translation>cbz &gt; zip | cbr &gt; rar</translation>
    </message>
    <message>
        <source>CRC32</source>
        <translation>CRC32</translation>
    </message>
    <message>
        <source>CRC32 [Hoofdletters]</source>
        <translation>CRC32 [upper case]</translation>
    </message>
    <message>
        <source>CRC 32 [kleine letters]</source>
        <translation>CRC32 [lower case]</translation>
    </message>
    <message>
        <source>EXIF</source>
        <translation>EXIF</translation>
    </message>
    <message>
        <source>Versie</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>CameraMake</source>
        <translation>CameraMake</translation>
    </message>
    <message>
        <source>CameraModel</source>
        <translation>CameraModel</translation>
    </message>
    <message>
        <source>DatumTijd</source>
        <translation>DateTime</translation>
    </message>
    <message>
        <source>DOS</source>
        <translation>DOS</translation>
    </message>
    <message>
        <source>Korte naam [8.3 DOS] Naam + Extensie</source>
        <translation>Short name [8.3 DOS] Name + Extension</translation>
    </message>
    <message>
        <source>Korte naam [8.3 DOS] Naam</source>
        <translation>Short name [8.3 DOS] Name</translation>
    </message>
    <message>
        <source>Leest MP3, FLAC, Ogg, Opus, M4A, WMA, WAV, AIFF, APE en WavPack</source>
        <translation>Reads MP3, FLAC, Ogg, Opus, M4A, WMA, WAV, AIFF, APE and WavPack</translation>
    </message>
    <message>
        <source>Leest BMP, PNG, GIF, JPEG, ICO, CUR, TGA, PSD, PCX, IFF, HEIC, AVIF, WebP, JPEG XL en RAW</source>
        <translation>Reads BMP, PNG, GIF, JPEG, ICO, CUR, TGA, PSD, PCX, IFF, HEIC, AVIF, WebP, JPEG XL and RAW</translation>
    </message>
    <message>
        <source>Leest JPEG, HEIC, AVIF, WebP, PNG, JPEG XL, RAW; van video&apos;s datum en camera</source>
        <translation>Reads JPEG, HEIC, AVIF, WebP, PNG, JPEG XL, RAW; date and camera of videos</translation>
    </message>
    <message>
        <source>Vervang door de tekst</source>
        <translation>Replace with the text</translation>
    </message>
    <message>
        <source>Hoofd-/kleine letters in zoektekst</source>
        <translation>Match case in the search text</translation>
    </message>
    <message>
        <source>Vervang de tekst</source>
        <translation>Replace the text</translation>
    </message>
    <message>
        <source>met deze tekst</source>
        <translation>with this text</translation>
    </message>
    <message>
        <source>Links n tekens eraf</source>
        <translation>Remove n characters on the left</translation>
    </message>
    <message>
        <source>Rechts n tekens eraf</source>
        <translation>Remove n characters on the right</translation>
    </message>
    <message>
        <source>Eraf vanaf</source>
        <translation>Remove from</translation>
    </message>
    <message>
        <source>de volgende n tekens</source>
        <translation>the next n characters</translation>
    </message>
    <message>
        <source>Invoegen vanaf</source>
        <translation>Insert at</translation>
    </message>
    <message>
        <source>de volgende tekst</source>
        <translation>the following text</translation>
    </message>
    <message>
        <source>Niet wijzigen</source>
        <translation>Unchanged</translation>
    </message>
    <message>
        <source>HOOFDLETTERS</source>
        <translation>UPPER CASE</translation>
    </message>
    <message>
        <source>kleine letters</source>
        <translation>lower case</translation>
    </message>
    <message>
        <source>Eerste letter hoofdletter</source>
        <translation>Capitalize Each Word</translation>
    </message>
    <message>
        <source>Alleen eerste letter hoofdletter</source>
        <translation>Capitalize first letter only</translation>
    </message>
    <message>
        <source>Verwijderen accenten</source>
        <translation>Remove accents</translation>
    </message>
    <message>
        <source>Invoegen voor de bestandsnnaam</source>
        <translation>Insert before the file name</translation>
    </message>
    <message>
        <source>Invoegen na de bestandsnaam</source>
        <translation>Insert after the file name</translation>
    </message>
    <message>
        <source>Invoegen voor de extensie.</source>
        <translation>Insert before the extension</translation>
    </message>
    <message>
        <source>Invoegen na de extensie</source>
        <translation>Insert after the extension</translation>
    </message>
    <message>
        <source>Geen wijzigingen</source>
        <translation>No change</translation>
    </message>
    <message>
        <source>Voor de bestandsnaam</source>
        <translation>Before the file name</translation>
    </message>
    <message>
        <source>Na de bestandsnaam</source>
        <translation>After the file name</translation>
    </message>
    <message>
        <source>Dec</source>
        <translation>Dec</translation>
    </message>
    <message>
        <source>Hex</source>
        <translation>Hex</translation>
    </message>
    <message>
        <source>Oct</source>
        <translation>Oct</translation>
    </message>
    <message>
        <source>Bin</source>
        <translation>Bin</translation>
    </message>
    <message>
        <source>Excel</source>
        <translation>Excel</translation>
    </message>
    <message>
        <source>Handmatig</source>
        <translation>Manual</translation>
    </message>
    <message>
        <source>Begin met nieuwe autonummering in iedere map</source>
        <translation>Restart the numbering in every folder</translation>
    </message>
    <message>
        <source>Begin met een nummer</source>
        <translation>Start at</translation>
    </message>
    <message>
        <source>Verhogen met</source>
        <translation>Increment by</translation>
    </message>
    <message>
        <source>Vul met nullen</source>
        <translation>Pad with zeros</translation>
    </message>
    <message>
        <source>Handmatig hernoemen</source>
        <translation>Rename manually</translation>
    </message>
    <message>
        <source>Originele naam</source>
        <translation>Original name</translation>
    </message>
    <message>
        <source>Nieuwe naam</source>
        <translation>New name</translation>
    </message>
    <message>
        <source>Hernoemen fouten</source>
        <translation>Rename errors</translation>
    </message>
    <message>
        <source>Gewone bestanden</source>
        <translation>Normal files</translation>
    </message>
    <message>
        <source>Verborgen bestanden</source>
        <translation>Hidden files</translation>
    </message>
    <message>
        <source>Alleen lezen bestanden</source>
        <translation>Read-only files</translation>
    </message>
    <message>
        <source>Systeembestanden</source>
        <translation>System files</translation>
    </message>
    <message>
        <source>Hernoemde bestanden</source>
        <translation>Renamed files</translation>
    </message>
    <message>
        <source>Kleurenconfiguratie</source>
        <translation>Color settings</translation>
    </message>
    <message>
        <source>Voorgrond</source>
        <translation>Foreground</translation>
    </message>
    <message>
        <source>Achtergrond</source>
        <translation>Background</translation>
    </message>
    <message>
        <source>Bestandslijst</source>
        <translation>File list</translation>
    </message>
    <message>
        <source>Tekstverwerker</source>
        <translation>Text editor</translation>
    </message>
    <message>
        <source>&amp;Bestand</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>Nieuw</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Openen</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Importeren</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>Alle bestand uit het voorbeeldvenster</source>
        <translation>All files from the preview</translation>
    </message>
    <message>
        <source>Alle bestanden uit de bestandenlijst</source>
        <translation>All files from the file list</translation>
    </message>
    <message>
        <source>Geselecteerde bestanden uit het voorbeeldvenster</source>
        <translation>Selected files from the preview</translation>
    </message>
    <message>
        <source>Geselecteerde bestanden uit de bestandenlijst</source>
        <translation>Selected files from the file list</translation>
    </message>
    <message>
        <source>Tekst</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Voortgang...</source>
        <translation>Progress...</translation>
    </message>
    <message>
        <source>Voortgang</source>
        <translation>Progress</translation>
    </message>
    <message>
        <source>Omhoog</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>Omlaag</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>Uitgebreide filter opties</source>
        <translation>Extended filter options</translation>
    </message>
    <message>
        <source>Toon bestanden met attributen</source>
        <translation>Show files with these attributes</translation>
    </message>
    <message>
        <source>Verborgen</source>
        <translation>Hidden</translation>
    </message>
    <message>
        <source>Alleen lezen</source>
        <translation>Read-only</translation>
    </message>
    <message>
        <source>Lengte bestandsnaam:</source>
        <translation>File name length:</translation>
    </message>
    <message>
        <source>%1 vergelijking</source>
        <translation>%1 comparison</translation>
    </message>
    <message>
        <source>Bestandsgrootte:</source>
        <translation>File size:</translation>
    </message>
    <message>
        <source>%1 eenheid</source>
        <translation>%1 unit</translation>
    </message>
    <message>
        <source>Datum wijziging</source>
        <translation>Date modified</translation>
    </message>
    <message>
        <source>Datum opgemaakt</source>
        <translation>Date created</translation>
    </message>
    <message>
        <source>Laatste datum geopend</source>
        <translation>Date last opened</translation>
    </message>
    <message>
        <source>Data tussen:</source>
        <translation>Dates between:</translation>
    </message>
    <message>
        <source>%1 data tussen</source>
        <translation>%1 dates between</translation>
    </message>
    <message>
        <source>van datum</source>
        <translation>from date</translation>
    </message>
    <message>
        <source>van tijd</source>
        <translation>from time</translation>
    </message>
    <message>
        <source>tot datum</source>
        <translation>to date</translation>
    </message>
    <message>
        <source>tot tijd</source>
        <translation>to time</translation>
    </message>
    <message>
        <source>en</source>
        <translation>and</translation>
    </message>
</context>
</TS>
