<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="nl_NL">
<context>
    <name>Window</name>
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
        <source>Pad</source>
        <translation>Path</translation>
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
        <source>Autonummering</source>
        <translation>Autonumber</translation>
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
        <source>Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Attributen</source>
        <translation>Attributes</translation>
    </message>
    <message>
        <source>Grootte</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>Bytes</source>
        <translation>Bytes</translation>
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
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Annuleren</source>
        <translation>Cancel</translation>
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
        <source>Systeem</source>
        <translation>System</translation>
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
