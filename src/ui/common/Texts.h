#pragma once
// The program's fixed texts, in one place and exactly as the user sees them. Formats keep their
// "%s"/"%d" placeholders; TextFormat fills them in order.

#include <QLatin1String>

#include "LanDefaults.h"

namespace tesso
{

namespace Texts
{

// Names and titles
inline constexpr QLatin1String ProgramName{"Tesso"};
inline constexpr QLatin1String RemoteControl{"remote control"};
inline constexpr QLatin1String ApplicationTitle{"Tesso remote control"};
inline constexpr QLatin1String MakerName{"Norvane"};
inline constexpr QLatin1String WindowTitleFormat{"%s %s"};
inline constexpr QLatin1String LanSetupFormat{"%s LAN Setup"};
inline constexpr QLatin1String AboutCaptionFormat{"About %s %s..."};
inline constexpr QLatin1String VersionFormat{"Version : %s.%s.%s.%s"};
inline constexpr QLatin1String VersionUnknown{"Version : ?.?.?.?"};
inline constexpr QLatin1String SoftwareDescription{"Remote control"};

// Settings files
inline constexpr QLatin1String DefaultRemoteIp{tesso::lan::DefaultAddress};

// Messages
inline constexpr QLatin1String SelectPort{"Select port"};
inline constexpr QLatin1String SerialDeviceMissingFormat{
    "Serial port not found:\r\n%s\r\nCOM%s is used meanwhile; plug the adapter in and choose it under "
    "Controls > Serial port."};
inline constexpr QLatin1String AreYouSure{"Are you sure?"};
inline constexpr QLatin1String ConfirmEraseAll{"Are you sure you want erase all memories ?"};
inline constexpr QLatin1String ConfirmDefaultValues{"Are you sure you want default value ?"};
inline constexpr QLatin1String DeviceNotConnected{"Device NOT connected"};
inline constexpr QLatin1String DeviceConnected{"Device connected"};
inline constexpr QLatin1String StoringSettings{"Storing settings, please do not switch power off..."};
inline constexpr QLatin1String StatusPortFormat{"Port : %s"};
inline constexpr QLatin1String StatusUdpFormat{"UDP (%s:%s)"};
inline constexpr QLatin1String StatusTcpFormat{"TCP (%s:%s)"};
inline constexpr QLatin1String NewSoftwareFormat{"New %s Software available, download update recommended !"};
inline constexpr QLatin1String NewFirmwareFormat{"New %s Firmware available, download update recommended !"};

// Labels
inline constexpr QLatin1String InternalRate{"Internal Rate"};
inline constexpr QLatin1String InputLabelFormat{"Input %d"};
inline constexpr QLatin1String AudioLabelFormat{"Audio %d"};
inline constexpr QLatin1String FrameNumberFormat{"Frame %d"};
inline constexpr QLatin1String Black{"Black"};
inline constexpr QLatin1String Freeze{"Freeze"};

// Menus ("&" marks the access letter)
inline constexpr QLatin1String MenuFile{"&File"};
inline constexpr QLatin1String MenuFileExit{"&Exit"};
inline constexpr QLatin1String MenuSaveSettings{"Save device settings..."};
inline constexpr QLatin1String MenuRestoreSettings{"Restore device settings..."};
inline constexpr QLatin1String SettingsFilter{"Device settings (*.json)"};
inline constexpr QLatin1String SettingsSaved{"The device's settings were saved to %s."};
inline constexpr QLatin1String SettingsSame{"The device already matches %s: nothing to restore."};
inline constexpr QLatin1String SettingsRestored{"%d settings restored; the device now matches the file."};
inline constexpr QLatin1String SettingRestored{"1 setting restored; the device now matches the file."};
inline constexpr QLatin1String SettingsNetworkWritten{
    "Network settings were written too; the device applies them from its LAN setup."};
inline constexpr QLatin1String SettingsReading{"Reading the device's settings..."};
inline constexpr QLatin1String SettingsWriting{"Writing the settings..."};
inline constexpr QLatin1String SettingsFailed{"The device's settings could not be %s: %s"};
inline constexpr QLatin1String MenuShareDevice{"Share device..."};
inline constexpr QLatin1String ShareDeviceCaption{"Share device"};
inline constexpr QLatin1String ShareThisDevice{"Share this device with other programs"};
inline constexpr QLatin1String ShareListenAddress{"Listen address"};
inline constexpr QLatin1String SharePort{"Port"};
inline constexpr QLatin1String ShareAllowedClients{"Allowed clients"};
inline constexpr QLatin1String ShareAllowedHint{
    "Comma-separated IPv4 addresses; needed only for an address other than loopback (127.x.x.x)."};
inline constexpr QLatin1String ShareFailed{"The device is not shared with other programs: %s"};
inline constexpr QLatin1String StatusClientsFormat{"Clients : %d"};
// Profiles: one settings folder per device
inline constexpr QLatin1String ProfileTitleFormat{"%s - %s"};
inline constexpr QLatin1String AboutProfileFormat{"Profile: %s"};
inline constexpr QLatin1String MenuOpenAnotherDevice{"Open another device..."};
inline constexpr QLatin1String MenuRenameProfile{"Rename profile..."};
inline constexpr QLatin1String MenuDeleteProfile{"Delete profile..."};
inline constexpr QLatin1String OpenDeviceCaption{"Open another device"};
inline constexpr QLatin1String OpenDeviceHint{"Choose a device's profile, or type a name for a new one."};
inline constexpr QLatin1String ProfileColumn{"Profile"};
inline constexpr QLatin1String LinkColumn{"Link"};
inline constexpr QLatin1String NewProfileLabel{"New profile"};
inline constexpr QLatin1String ChooseOrTypeProfile{"Choose a profile or type a new name."};
inline constexpr QLatin1String ProfileNoLink{"no link yet"};
inline constexpr QLatin1String ProfileLinkCom{"COM%s"};
inline constexpr QLatin1String ProfileLinkTcp{"TCP %s:%s"};
inline constexpr QLatin1String ProfileLinkUdp{"UDP %s:%s"};
inline constexpr QLatin1String RenameProfileCaption{"Rename profile"};
inline constexpr QLatin1String ProfileToRename{"Profile to rename:"};
inline constexpr QLatin1String NewProfileName{"New name for \"%s\":"};
inline constexpr QLatin1String RenameProfileConfirm{"Rename the profile \"%s\" to \"%s\"?"};
inline constexpr QLatin1String DeleteProfileCaption{"Delete profile"};
inline constexpr QLatin1String ProfileToDelete{"Profile to delete:"};
inline constexpr QLatin1String DeleteProfileConfirm{
    "Delete the profile \"%s\" with its connection settings, labels and console settings?"};
inline constexpr QLatin1String NoOtherProfile{"There is no other profile."};
inline constexpr QLatin1String ProfileOpenElsewhere{
    "The profile \"%s\" is open in another window: close that window first."};
inline constexpr QLatin1String ProfileStartFailed{"Tesso could not be started for the profile \"%s\"."};
inline constexpr QLatin1String MenuControls{"&Controls"};
inline constexpr QLatin1String MenuPullDown{"2:2 &Pull-down"};
inline constexpr QLatin1String Auto{"Auto"};
inline constexpr QLatin1String Off{"Off"};
inline constexpr QLatin1String On{"On"};
inline constexpr QLatin1String MenuBlackDelay{"Black Delay"};
inline constexpr QLatin1String Short{"Short"};
inline constexpr QLatin1String Medium{"Medium"};
inline constexpr QLatin1String Long{"Long"};
inline constexpr QLatin1String BlackDelayRange{"0..30"};
inline constexpr QLatin1String MenuAutoTake{"AutoTake"};
inline constexpr QLatin1String MenuStandBy{"Stand by"};
inline constexpr QLatin1String MenuStandByTimer{"Stand by timer..."};
inline constexpr QLatin1String MenuBaudRate{"Baud Rate"};
inline constexpr QLatin1String Baud19200{"19200 bauds"};
inline constexpr QLatin1String Baud9600{"9600   bauds"};
inline constexpr QLatin1String Baud2400{"2400   bauds"};
inline constexpr QLatin1String Baud1200{"1200   bauds"};
inline constexpr QLatin1String MenuRegisterCodes{"Register codes to stand by projector"};
inline constexpr QLatin1String MessageOn{"Message On"};
inline constexpr QLatin1String MessageOff{"Message Off"};
inline constexpr QLatin1String MenuKeyLocking{"&Key Locking"};
inline constexpr QLatin1String All{"All"};
inline constexpr QLatin1String Menu{"Menu"};
inline constexpr QLatin1String Input{"Input"};
inline constexpr QLatin1String MenuEraseAll{"&Erase all memories"};
inline constexpr QLatin1String MenuDefaultValues{"&Default values"};
inline constexpr QLatin1String MenuSerialPort{"&Serial port"};
inline constexpr QLatin1String ComFormat{"COM%d"};
inline constexpr QLatin1String ComDevicePathFormat{"\\\\.\\COM%d"};
inline constexpr QLatin1String LanSetupItem{"LAN/Setup"};
inline constexpr QLatin1String MenuNoSignalAutolock{"No input signal autolock"};
inline constexpr QLatin1String MenuTransition{"&Transition..."};
inline constexpr QLatin1String MenuCustomize{"C&ustomize"};
inline constexpr QLatin1String Default{"Default"};
inline constexpr QLatin1String MenuAbout{"&About"};
inline constexpr QLatin1String MenuAboutItem{"About..."};
inline constexpr QLatin1String Exit{"Exit"};
inline constexpr QLatin1String Mute{"Mute"};
inline constexpr QLatin1String Rename{"Rename"};
inline constexpr QLatin1String PleaseWait{"Please Wait"};
inline constexpr QLatin1String NotAvailableFormat{"Not available (%s)"};
inline constexpr QLatin1String DviOnlyOutput{"DVI-only output selected"};
inline constexpr QLatin1String RenameCaptionFormat{"Change the button label INPUT %d"};
inline constexpr QLatin1String RenamePromptFormat{"Enter a new label (%d characters maximum)"};

// Main window controls
inline constexpr QLatin1String Take{"TAKE"};
inline constexpr QLatin1String Cut{"Cut"};
inline constexpr QLatin1String Fade{"Fade"};
inline constexpr QLatin1String Title{"Title"};
inline constexpr QLatin1String MachineStatus{"Machine status:"};
inline constexpr QLatin1String Ok{"Ok"};
inline constexpr QLatin1String OkUpper{"OK"};
inline constexpr QLatin1String PageSwitchMode{"Switch mode"};
inline constexpr QLatin1String PageInput{"Input"};
inline constexpr QLatin1String PageOutput{"Output"};
inline constexpr QLatin1String PageImage{"Image"};
inline constexpr QLatin1String PageAudio{"Audio"};
inline constexpr QLatin1String PageFrameAlert{"Frame Alert"};
inline constexpr QLatin1String PageEffect{"Effect"};
inline constexpr QLatin1String SyncHV{"H && V"};
inline constexpr QLatin1String SyncCompositeTtl{"Composite TTL"};
inline constexpr QLatin1String SyncSog{"SOG"};
inline constexpr QLatin1String OutputSync{"Output sync."};
inline constexpr QLatin1String OutputNotAvailableComputerInput{
    "Output settings not available with computer input"};
inline constexpr QLatin1String ImageNotAvailableComputerInput{
    "Image settings not available with computer input"};
inline constexpr QLatin1String ImageNoInputSignal{"No input signal"};
inline constexpr QLatin1String NotOnOutSeamlessMode{"Output not available with Seamless input"};
inline constexpr QLatin1String OutputFormat{"Output Format"};
inline constexpr QLatin1String OutputRate{"Output Rate"};
inline constexpr QLatin1String OutputType{"Output type"};
inline constexpr QLatin1String OutputTypeComputer{"Computer"};
inline constexpr QLatin1String OutputTypeDvi{"DVI"};
inline constexpr QLatin1String OutputTypeBoth{"Computer && DVI"};
inline constexpr QLatin1String TestPattern{"Test pattern"};
inline constexpr QLatin1String None{"None"};
inline constexpr QLatin1String Grid{"Grid"};
inline constexpr QLatin1String PositionSize{"Position / Size"};
inline constexpr QLatin1String Picture{"Picture"};
inline constexpr QLatin1String AspectRatio{"Aspect ratio"};
inline constexpr QLatin1String UnderOverscan{"Under/Overscan"};
inline constexpr QLatin1String Sharpness{"Sharpness"};
inline constexpr QLatin1String Reset{"Reset"};
inline constexpr QLatin1String Preset{"Preset"};
inline constexpr QLatin1String RowHPos{"H. Pos"};
inline constexpr QLatin1String RowHSize{"H. Size"};
inline constexpr QLatin1String RowVPos{"V. Pos"};
inline constexpr QLatin1String RowVSize{"V. Size"};
inline constexpr QLatin1String RowBrightness{"Brightness"};
inline constexpr QLatin1String RowContrast{"Contrast"};
inline constexpr QLatin1String RowColor{"Color"};
inline constexpr QLatin1String RowHue{"Hue (NTSC)"};
inline constexpr const char* InputAspectRatios[3] = {"4/3   standard", "16/9 Letter box",
                                                     "16/9 WS Anamorphic"};
inline constexpr const char* OutputAspectRatios[3] = {"Standard", "Crop", "Fullscreen"};
inline constexpr const char* Overscans[2] = {"Underscan", "Overscan"};
inline constexpr QLatin1String SharpnessStandard{"Sharpness std"};
inline constexpr QLatin1String FadeToBlack{"Fade to black"};
inline constexpr QLatin1String EffectType{"Type"};
inline constexpr QLatin1String EffectStatusLabel{"Status"};
inline constexpr QLatin1String Effects{"Effects"};
inline constexpr QLatin1String FadeDurationLabel{"Fade Duration:"};
inline constexpr QLatin1String ShadowPositionLabel{"Shadow Position:"};
inline constexpr QLatin1String ShadowSizeLabel{"Shadow Size:"};
inline constexpr QLatin1String ShadowIntensityLabel{"Shadow Intensity:"};
inline constexpr QLatin1String TitleDurationLabel{"Title Duration:"};
inline constexpr QLatin1String Holding{"Holding"};
inline constexpr QLatin1String TitleAudio{"Audio channel during title"};
inline constexpr QLatin1String Video{"Video"};
inline constexpr QLatin1String SecondsFormat{"%ss"};
inline constexpr QLatin1String NotANegativeNumber{"'%s' is out of range: the value cannot be negative"};
inline constexpr const char* ReferenceInputs[4] = {"Computer 1", "Computer 2", "Computer 3", "Last computer"};
inline constexpr QLatin1String MuteFormat{"Mute %s"};
inline constexpr QLatin1String SharpnessLevelFormat{"Sharpness level %d"};
inline constexpr QLatin1String SwitchMode{"Switch mode"};
inline constexpr QLatin1String Seamless{"Seamless"};
inline constexpr QLatin1String Standard{"Standard"};
inline constexpr QLatin1String RefInputForSeamless{"Ref. Input for seamless"};
inline constexpr QLatin1String Used{"Used"};
inline constexpr QLatin1String Vcr{"VCR"};
inline constexpr QLatin1String SignalType{"Signal Type"};
inline constexpr QLatin1String StandardHeading{"Standard"};
inline constexpr QLatin1String ReferenceAR{"Reference A/R"};
inline constexpr QLatin1String Normal{"Normal"};
inline constexpr QLatin1String Wide{"Wide"};
inline constexpr QLatin1String Automatic{"Automatic"};
inline constexpr QLatin1String UsedFrame{"Used frame"};
inline constexpr QLatin1String FrameAuto{"Auto frame display on sync. loss"};
inline constexpr QLatin1String FrameDisplay{"Force Frame Display"};
inline constexpr QLatin1String FrameHide{"Hide Frame"};
inline constexpr QLatin1String FrameMemory{"Frame memory options"};
inline constexpr QLatin1String FrameCapture{"Capture Frame (video input)"};
inline constexpr QLatin1String FrameTransfer{"Transfer Frame (via RS232)"};
inline constexpr QLatin1String FrameDelete{"Delete frame"};
inline constexpr QLatin1String WaitRecordingFrame{"Recording frame, please wait..."};
inline constexpr QLatin1String InputFrozen{"Input frozen"};
inline constexpr QLatin1String ComputerInput{"Computer input"};
inline constexpr QLatin1String FrameBeingDisplayed{"Frame is being displayed"};
inline constexpr QLatin1String Yes{"Yes"};
inline constexpr QLatin1String No{"No"};

// Status grid
inline constexpr QLatin1String StatusInput{"Input"};
inline constexpr QLatin1String StatusReference{"Reference"};
inline constexpr QLatin1String StatusOutput{"Output"};
inline constexpr QLatin1String StatusFrame{"Frame alert"};
inline constexpr QLatin1String Ellipsis{"..."};
inline constexpr QLatin1String NoInput{"No input"};
inline constexpr QLatin1String Computer{"Computer"};
inline constexpr QLatin1String NoSynchro{"No synchro"};
inline constexpr QLatin1String OutOfRange{"Out of range"};
inline constexpr QLatin1String NotMeasured{"Not measured"};
inline constexpr QLatin1String LineFrequencyFormat{"%d kHz %s"};
inline constexpr QLatin1String HertzFormat{"%s Hz"};
inline constexpr QLatin1String SyncHVFormat{"H & V   (%s %s)"};
inline constexpr QLatin1String SyncTtlComposite{"TTL Composite"};
inline constexpr QLatin1String SyncOnGreen{"Sync. On Green"};
inline constexpr QLatin1String SyncAnalogComposite{"Analog Composite"};
inline constexpr QLatin1String SyncError{"Sync. error !"};
inline constexpr QLatin1String Loopthrough{"Loopthrough"};
inline constexpr QLatin1String NoInputSignal{"No input signal"};
inline constexpr QLatin1String RateError{"Rate error"};
inline constexpr QLatin1String NoSignalAtFormat{"No signal at %s"};
inline constexpr QLatin1String SeamlessSource{"Seamless "};
inline constexpr const char* StatusRowLabels[18] = {
    "", "Input :",    "Type :",      "Format :", "Line freq. :",    "Frame freq. :", "Sync. :",
    "", "Source :",   "Rate :",      "",         "Output format :", "Frame freq. :", "Output sync. :",
    "", "Recorded :", "Displayed :", ""};

// Secondary windows
inline constexpr QLatin1String CaptionMessageProjector{"Message projector"};
inline constexpr QLatin1String CaptionIpConfig{"LAN Setup"};
inline constexpr QLatin1String CaptionStandby{"Stand by"};
inline constexpr QLatin1String CaptionBlackDelay{"Black Delay"};
inline constexpr QLatin1String CaptionDebug{"Debug"};

// About box
inline constexpr QLatin1String Software{"Software"};
inline constexpr QLatin1String Device{"Device"};
inline constexpr QLatin1String DeviceVersionUnknown{"Version : ?.?"};
inline constexpr QLatin1String LabelI{"I ="};
inline constexpr QLatin1String LabelK{"K ="};
inline constexpr QLatin1String LabelS{"S ="};
inline constexpr QLatin1String LabelV{"V ="};
inline constexpr QLatin1String LabelO{"O ="};
inline constexpr QLatin1String LabelD{"D ="};
inline constexpr QLatin1String LabelLan{"LAN ="};
inline constexpr QLatin1String LabelH{"H ="};
inline constexpr QLatin1String LabelF{"F ="};
inline constexpr QLatin1String LabelDFormat{"D = %s"};
inline constexpr QLatin1String LabelVFormat{"V = %s"};
inline constexpr QLatin1String LabelIFormat{"I = %s"};
inline constexpr QLatin1String LabelKFormat{"K = %s"};
inline constexpr QLatin1String LabelSFormat{"S = %s"};
inline constexpr QLatin1String LabelOFormat{"O = %s"};
inline constexpr QLatin1String DeviceVersionFormat{"Version %d.%d"};
inline constexpr QLatin1String LanInstalled{"LAN = Installed"};
inline constexpr QLatin1String LanNotInstalled{"LAN = Not installed"};

// Standby, black delay and projector messages
inline constexpr QLatin1String StandbyDelayLow{"0s"};
inline constexpr QLatin1String StandbyDelayHigh{"4H15Min"};
inline constexpr QLatin1String StandbyDelayFormat{"%dH:%dMin"};
inline constexpr QLatin1String NotAValidInteger{"'%s' is not a valid integer value"};
inline constexpr QLatin1String Cancel{"Cancel"};
inline constexpr QLatin1String Clear{"Clear"};
inline constexpr QLatin1String MessageNotKept{
    "The device did not keep the whole projector message: it kept %s of its %s characters."};
// The names of the character codes 0..32 in a projector message.
inline constexpr const char* ControlCodeNames[33] = {"Null",
                                                     "Start of heading",
                                                     "Start of text",
                                                     "End of test",
                                                     "End of transmission",
                                                     "Enquiry",
                                                     "Acknowledge",
                                                     "Bell",
                                                     "Backspace",
                                                     "Horizontal tabulation",
                                                     "Line feed",
                                                     "Vertical tabulation",
                                                     "Form feed",
                                                     "Carriage return",
                                                     "Shift out",
                                                     "Shift in",
                                                     "Data link espace",
                                                     "Device control 1",
                                                     "Device control 2",
                                                     "Device control 3",
                                                     "Device control 4",
                                                     "Negative acknowledge",
                                                     "Synchronous idle",
                                                     "End of block",
                                                     "Cancel",
                                                     "End of medium",
                                                     "Substitute",
                                                     "Escape",
                                                     "File separator",
                                                     "Group separator",
                                                     "Record separator",
                                                     "Unit separator",
                                                     "Space"};

} // namespace Texts

} // namespace tesso
