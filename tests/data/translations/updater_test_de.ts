<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- A test translation only: it words the texts differently from the English ones
     (other prefixes, markers moved) so that the dialogs' comparisons against
     translated texts are put to the test. Not shipped. -->
<TS version="2.1" language="de_DE">
<context>
    <name>dlgfound</name>
    <message><source>Download and Install</source><translation>Herunterladen und installieren</translation></message>
    <message><source>Module Name</source><translation>Modul</translation></message>
    <message><source>Size</source><translation>Größe</translation></message>
    <message><source>Progress</source><translation>Fortschritt</translation></message>
    <message><source>Waiting</source><translation>Wartet</translation></message>
    <message><source>Downloading</source><translation>Wird geladen</translation></message>
    <message><source>Download </source><translation>Geladen: </translation></message>
    <message><source>Install </source><translation>Installation: </translation></message>
    <message><source>Install</source><translation>Installieren</translation></message>
    <message><source>%</source><translation> %</translation></message>
    <message><source>Suspended</source><translation>Angehalten</translation></message>
    <message><source>Download</source><translation>Laden</translation></message>
    <message><source>Pause</source><translation>Anhalten</translation></message>
    <message><source>Continue</source><translation>Fortsetzen</translation></message>
    <message><source>OK</source><translation>Fertig</translation></message>
    <message><source>Close</source><translation>Schließen</translation></message>
    <message><source>%1MB</source><translation>%1 MB</translation></message>
    <message><source>Version: </source><translation>Fassung: </translation></message>
</context>
<context>
    <name>QObject</name>
    <message><source>The %s component needs to be installed.</source><translation>Die Komponente %s muss installiert werden.</translation></message>
    <message><source>The %s%[1](%d%[2] in total) components need to be installed.</source><translation>Es müssen %[1]%d%[2] Komponenten installiert werden: %s</translation></message>
    <message><source>OCR_ru-RU</source><translation>OCR Russisch</translation></message>
    <message><source>OCR_nl-NL</source><translation>OCR Niederländisch</translation></message>
</context>
<context>
    <name>DlgUpdateChecking</name>
    <message><source>Cannot establish connection to the Server, Check your network.</source><translation>Keine Verbindung zum Server. Bitte das Netzwerk prüfen.</translation></message>
</context>
<context>
    <name>CDlg_MajorUpdate</name>
    <message><source>A major upgrade for %s is available. </source><translation>Für %s gibt es ein großes Upgrade: 100 % neu, %d Wochen gratis. </translation></message>
</context>
</TS>
