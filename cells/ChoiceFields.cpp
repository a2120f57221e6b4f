#include "cells/ChoiceFields.h"

#include <algorithm>
#include <array>

#include "cells/CommonSettings.h"
#include "cells/SixFlags.h"
#include "model/LayoutImage.h"
#include "model/ListCounts.h"
#include "model/cmcEeprom.h"
#include "model/indDestination.h"

namespace choicefield {
namespace {

constexpr std::int64_t Common(std::int64_t offset) { return layout::kCommonSettings + offset; }

// A byte of the common settings with one list; with indexes, offset + index.
constexpr ChoiceField Std(int id, const char* name, std::int64_t offset, const char* list,
                          int first = 0, int last = 0) {
  return {id,   name, Common(offset), first,           last, first == last ? 0 : 1,
          0xFF, list, nullptr,        Selector::kFixed};
}
constexpr ChoiceField Sel(int id, const char* name, std::int64_t offset, Selector selector,
                          const char* list, const char* listAlt) {
  return {id, name, Common(offset), 0, 0, 0, 0xFF, list, listAlt, selector};
}
// Bank-link bits of the two scan bands, four bytes each.
constexpr std::int64_t kBankLinkBits = 0x2A290;

// A field of another shape at an absolute image offset.
constexpr ChoiceField Field(int id, const char* name, std::int64_t address, Shape shape, int size,
                            int first = 0, int last = 0, int stride = 0) {
  ChoiceField f{id, name, address, first, last, stride, 0xFF, nullptr, nullptr, Selector::kFixed};
  f.shape = shape;
  f.size = size;
  return f;
}
// A field of the common settings.
constexpr ChoiceField In(int id, const char* name, std::int64_t offset, Shape shape, int size) {
  return Field(id, name, Common(offset), shape, size);
}
constexpr ChoiceField Ranged(ChoiceField f, std::int32_t minimum, std::int32_t maximum) {
  f.minimum = minimum;
  f.maximum = maximum;
  return f;
}
constexpr ChoiceField Int(int id, const char* name, std::int64_t offset, std::int32_t minimum,
                          std::int32_t maximum) {
  return Ranged(In(id, name, offset, Shape::kInteger, 1), minimum, maximum);
}
constexpr ChoiceField Hex(int id, const char* name, std::int64_t offset, std::int32_t minimum,
                          std::int32_t maximum) {
  return Ranged(In(id, name, offset, Shape::kHexByte, 1), minimum, maximum);
}
// A symbol: the choice (kSymbol) and the editable code (kSymbolText) of the same two bytes.
constexpr ChoiceField SymbolPick(int id, const char* name, std::int64_t offset) {
  ChoiceField f =
      Sel(id, name, offset, Selector::kAprsSymbol, "GI_Sheet_Sel_Common_APRS_Symbol", nullptr);
  f.shape = Shape::kSymbol;
  f.size = 2;
  f.readByOthers = true;  // the code cell below shows the same bytes
  return f;
}
constexpr ChoiceField SymbolCode(int id, const char* name, std::int64_t offset) {
  return In(id, name, offset, Shape::kSymbolText, 2).ReadByOthers();
}
// A 43-byte comment of the position, object, item or weather report.
constexpr int kCommentSize = 43;
constexpr ChoiceField Comment(int id, const char* name, std::int64_t offset,
                              std::int64_t extension = -1, std::int64_t altitudeFlag = -1,
                              std::int64_t altitudeField = -1) {
  ChoiceField f = In(id, name, offset, Shape::kComment, kCommentSize);
  f.extension = static_cast<std::int16_t>(extension);
  f.altitudeFlag = static_cast<std::int16_t>(altitudeFlag);
  f.altitudeField = static_cast<std::int16_t>(altitudeField);
  return f;
}
constexpr ChoiceField BankLinks(int id, const char* name, int firstItem, int lastItem) {
  return Ranged(Field(id, name, kBankLinkBits, Shape::kBankLinks, 4, 0, 1, 4), firstItem, lastItem);
}

// Image offsets outside the common block.
constexpr std::int64_t kTxMessageSelect = 0x25EC6;
constexpr std::int64_t kTxMessageRepeat = 0x25EC7;
constexpr std::int64_t kCloneComment = 0xC9C0;  // 16 characters
constexpr std::int64_t kWxChannel = 0x2A27E;    // + band
// Conditions that grey other settings.
constexpr std::int16_t kExtPosition = commonset::kPositionExtension;
constexpr std::int16_t kExtObject = commonset::kObjectExtension;
constexpr std::int16_t kExtItem = commonset::kItemExtension;
constexpr std::uint8_t kPhgd = commonset::kExtensionPhgd;
constexpr std::uint8_t kCourseSpeed = commonset::kExtensionCourseSpeed;

const ChoiceField kFields[] = {
    Std(263, "CL_Common_DTMF_SPEED", 0x3E, "GI_Sheet_Sel_DTMF_SPEED"),
    {275, "CL_Tx_Message_Ch_No", kTxMessageSelect, 0, 4, 0, 0xFF,
     "GI_Sheet_Sel_Tx_Message_Ch_No_Sel", nullptr, Selector::kFixed},
    {276, "CL_Tx_Message_Repeat", kTxMessageRepeat, 0, 0, 0, 0xFF, "GI_Sheet_Sel_Misc_OnOff",
     nullptr, Selector::kFixed},
    {278, "CL_My_Callsign_Sel", Common(0xC8), 0, 5, 0, 0xFF, "GI_Sheet_Sel_Tx_Message_Ch_No_Sel",
     nullptr, Selector::kFixed},
    // Set-mode settings.
    Std(353, "CL_Common_RxBass", 0x74, "GI_Sheet_Sel_Common_ToneControl"),
    Std(354, "CL_Common_RxTreble", 0x75, "GI_Sheet_Sel_Common_ToneControl"),
    Std(355, "CL_Common_RxBassBoost", 0x76, "GI_Sheet_Sel_Misc_OnOff"),
    Std(356, "CL_Common_TxBass", 0x77, "GI_Sheet_Sel_Common_ToneControl"),
    Std(357, "CL_Common_TxTreble", 0x78, "GI_Sheet_Sel_Common_ToneControl"),
    Std(358, "CL_Common_Auto_Reply", 0x2A, "GI_Sheet_Sel_Common_AutoReply"),
    Std(359, "CL_Common_DV_Auto_Tx", 0x2B, "GI_Sheet_Sel_Common_DvDataTX"),
    Std(360, "CL_Common_FastData", 0xAE, "GI_Sheet_Sel_Misc_OnOff"),
    Std(361, "CL_Common_FastData_GPSSpd", 0x29, "GI_Sheet_Sel_Common_FastData_GPSSpd"),
    Std(362, "CL_Common_FastData_PTTDelay", 0xAF, "GI_Sheet_Sel_Common_FastData_PTTDelay"),
    Std(363, "CL_Common_Digital_Monitor", 0x2C, "GI_Sheet_Sel_Common_DigiMoni"),
    Std(364, "CL_Common_Digital_RPT_Set", 0x2D, "GI_Sheet_Sel_Misc_OnOff"),
    Std(365, "CL_Common_DV_Auto_Detect", 0x38, "GI_Sheet_Sel_Misc_OnOff"),
    Std(366, "CL_Common_RxRecord", 0x39, "GI_Sheet_Sel_Common_RxRecord"),
    Std(367, "CL_Common_RX_CallSign_Disp", 0x4D, "GI_Sheet_Sel_Common_RxCallDisp"),
    Std(368, "CL_Common_RxPos_Indic", 0x50, "GI_Sheet_Sel_Misc_OnOff"),
    Std(369, "CL_Common_RXPos_Disp", 0x51, "GI_Sheet_Sel_Common_RXPos_Disp"),
    Std(370, "CL_Common_RXPos_Disp_Tm", 0x52, "GI_Sheet_Sel_Common_RXPos_Disp_Tm"),
    Std(371, "CL_Common_ReplyPosDisp", 0x4F, "GI_Sheet_Sel_Misc_OnOff"),
    Std(372, "CL_Common_TX_CallSign_Disp", 0x4E, "GI_Sheet_Sel_Common_TXCallDisp"),
    Std(373, "CL_Common_Name_Size", 0x6E, "GI_Sheet_Sel_Common_Name_Size"),
    Std(374, "CL_Common_RXHis_CsName_Chg", 0xF, "GI_Sheet_Sel_Common_RXHis_CsName_Chg"),
    Std(375, "CL_Common_Standby_Beep", 0x62, "GI_Sheet_Sel_Common_Standby_Beep"),
    Int(376, "CL_Common_EmrAfLevel", 0x66, 0, 32),
    Sel(377, "CL_Common_PositionFormat", 0x58, Selector::kLanguage,
        "GI_Sheet_Sel_MenuMode_GpsFormat", "GI_Sheet_Sel_MenuMode_GpsFormat_JPN"),
    Std(378, "CL_Common_Units", 0x59, "GI_Sheet_Sel_Common_Linear_Measure"),
    Std(379, "CL_Common_Speed_Units", 0x5A, "GI_Sheet_Sel_Common_Speed_Units"),
    Std(380, "CL_Common_CompassDirection", 0x6B, "GI_Sheet_Sel_Common_Compass"),
    Std(382, "CL_Common_GPS_Select", commonset::kGpsSelect, "GI_Sheet_Sel_Common_GPS_Select")
        .ReadByOthers(),
    In(383, "CL_Common_ManualPosLat", 0x2E8, Shape::kLatitude, 4)
        .GreyUnless(commonset::kGpsSelect, commonset::kGpsSelectManual),
    In(384, "CL_Common_ManualPosLon", 0x2EC, Shape::kLongitude, 4)
        .GreyUnless(commonset::kGpsSelect, commonset::kGpsSelectManual),
    In(385, "CL_Common_ManualPosAlt", 0x2F0, Shape::kAltitude, 4)
        .GreyUnless(commonset::kGpsSelect, commonset::kGpsSelectManual),
    Std(386, "CL_Common_GPS_Correct", 0x6C, "GI_Sheet_Sel_Misc_AutoOff"),
    Std(387, "CL_Common_GPS_Out", 0x69, "GI_Sheet_Sel_Misc_OnOff"),
    Std(388, "CL_Common_PosRxSel", 0xAD, "GI_Sheet_Sel_Common_GPS_PosRxSel"),
    In(389, "CL_Common_AlarmArea1", 0x2E4, Shape::kMinutes, 2),
    Std(390, "CL_Common_AlarmArea2", 0x6A, "GI_Sheet_Sel_Common_POS_Area2"),
    Std(391, "CL_Common_GPSAlarmType", commonset::kGpsAlarm, "GI_Sheet_Sel_Common_Gps_Alarm_Type")
        .ReadByOthers()
        .WithHook(Hook::kAlarmType),
    Sel(392, "CL_Common_GPSAlarmBank", commonset::kGpsAlarm + 1, Selector::kGpsAlarmBank,
        "GI_Sheet_Sel_Common_Gps_Alarm_Bank_Group", "GI_Sheet_Sel_Common_Gps_Alarm_Bank_CH")
        .ReadByOthers()
        .WithHook(Hook::kAlarmGroup),
    In(393, "CL_Common_AlarmCH", commonset::kGpsAlarm + 2, Shape::kAlarmMemory, 2)
        .WithHook(Hook::kAlarmMemory),
    Std(394, "CL_Common_GPS_Tx", commonset::kGpsTxMode, "GI_Sheet_Sel_Common_GpsTX")
        .ReadByOthers()
        .WithHook(Hook::kGpsTxMode),
    Sel(395, "CL_Common_GPS_AutoTx", commonset::kGpsAutoTx, Selector::kGpsAutoTx,
        "GI_Sheet_Sel_Common_GpsAutoTX", "GI_Sheet_Sel_Common_GpsAutoTX2"),
    In(396, "CL_Common_GPS_ControlMode", commonset::kSentenceFlags, Shape::kSentences,
       commonset::kSentenceCount)
        .ReadByOthers()
        .WithHook(Hook::kSentences),
    In(397, "CL_Common_GPS_Message_Code", 0x2F4, Shape::kMessage, 20),
    In(398, "CL_Common_UnprotoAddress", 0x309, Shape::kMessage, 56),
    Std(399, "CL_Common_DprsTxFmt", 0x308, "GI_Sheet_Sel_Common_DprsTxFmt"),
    Std(400, "CL_Common_DataExtension", kExtPosition, "GI_Sheet_Sel_Common_Data_Extension")
        .ReadByOthers(),
    Std(401, "CL_Common_TimeStamp", 0x3FD, "GI_Sheet_Sel_Common_Time_Stamp"),
    Std(402, "CL_Common_Alt", commonset::kPositionAltitudeFlag, "GI_Sheet_Sel_Misc_OnOff"),
    Std(403, "CL_Common_AprsSymbol_CH", 0x342, "GI_Sheet_Sel_Common_GpsSymCh"),
    SymbolPick(404, "CL_Common_AprsSymbolSel_1", 0x343),
    SymbolCode(405, "CL_Common_AprsSymbolEdit_1", 0x343),
    SymbolPick(406, "CL_Common_AprsSymbolSel_2", 0x345),
    SymbolCode(407, "CL_Common_AprsSymbolEdit_2", 0x345),
    SymbolPick(408, "CL_Common_AprsSymbolSel_3", 0x347),
    SymbolCode(409, "CL_Common_AprsSymbolEdit_3", 0x347),
    SymbolPick(410, "CL_Common_AprsSymbolSel_4", 0x349),
    SymbolCode(411, "CL_Common_AprsSymbolEdit_4", 0x349),
    Std(412, "CL_Common_SSID", 0x341, "GI_Sheet_Sel_SSID"),
    Std(413, "CL_Common_AprsComment_CH", 0x34B, "GI_Sheet_Sel_Common_GpsCommentCh"),
    Comment(414, "CL_Common_AprsComment_1", 0x34C, kExtPosition, commonset::kPositionAltitudeFlag),
    Comment(415, "CL_Common_AprsComment_2", 0x377, kExtPosition, commonset::kPositionAltitudeFlag),
    Comment(416, "CL_Common_AprsComment_3", 0x3A2, kExtPosition, commonset::kPositionAltitudeFlag),
    Comment(417, "CL_Common_AprsComment_4", 0x3CD, kExtPosition, commonset::kPositionAltitudeFlag),
    Std(418, "CL_Common_PosPhgdPow", 0x3F9, "GI_Sheet_Sel_Common_PhgdPow")
        .GreyUnless(kExtPosition, kPhgd),
    Sel(419, "CL_Common_PosPhgdHeight", 0x3FA, Selector::kLinearUnit,
        "GI_Sheet_Sel_Common_PhgdHeight_m", "GI_Sheet_Sel_Common_PhgdHeight_ft")
        .GreyUnless(kExtPosition, kPhgd),
    Std(420, "CL_Common_PosPhgdGain", 0x3FB, "GI_Sheet_Sel_Common_PhgdGain")
        .GreyUnless(kExtPosition, kPhgd),
    Sel(421, "CL_Common_PosPhgdDir", 0x3FC, Selector::kLanguage, "GI_Sheet_Sel_Common_PhgdDir",
        "GI_Sheet_Sel_Common_PhgdDir_JPN")
        .GreyUnless(kExtPosition, kPhgd),
    In(422, "CL_Common_ObjName", 0x3FF, Shape::kFixedText, 9),
    Std(423, "CL_Common_ObjType", 0x408, "GI_Sheet_Sel_Common_ObjType"),
    SymbolPick(424, "CL_Common_ObjSymbol", 0x409),
    SymbolCode(425, "CL_Common_ObjSymbolEdit", 0x409),
    Comment(426, "CL_Common_ObjComment", 0x40B, kExtObject, -1, commonset::kObjectAltitude),
    In(427, "CL_Common_ObjPosLat", 0x436, Shape::kLatitude, 4),
    In(428, "CL_Common_ObjPosLon", 0x43A, Shape::kLongitude, 4),
    In(429, "CL_Common_ObjPosAlt", commonset::kObjectAltitude, Shape::kAltitude, 4),
    Std(430, "CL_Common_ObjDataExtension", kExtObject, "GI_Sheet_Sel_Common_Data_Extension")
        .ReadByOthers(),
    In(431, "CL_Common_ObjCourse", 0x442, Shape::kCourse, 2).GreyUnless(kExtObject, kCourseSpeed),
    In(432, "CL_Common_ObjSpd", 0x444, Shape::kSpeed, 2).GreyUnless(kExtObject, kCourseSpeed),
    Std(433, "CL_Common_ObjPhgdPow", 0x447, "GI_Sheet_Sel_Common_PhgdPow")
        .GreyUnless(kExtObject, kPhgd),
    Sel(434, "CL_Common_ObjPhgdHeight", 0x448, Selector::kLinearUnit,
        "GI_Sheet_Sel_Common_PhgdHeight_m", "GI_Sheet_Sel_Common_PhgdHeight_ft")
        .GreyUnless(kExtObject, kPhgd),
    Std(435, "CL_Common_ObjPhgdGain", 0x449, "GI_Sheet_Sel_Common_PhgdGain")
        .GreyUnless(kExtObject, kPhgd),
    Sel(436, "CL_Common_ObjPhgdDir", 0x44A, Selector::kLanguage, "GI_Sheet_Sel_Common_PhgdDir",
        "GI_Sheet_Sel_Common_PhgdDir_JPN")
        .GreyUnless(kExtObject, kPhgd),
    Std(437, "CL_Common_ObjSSID", 0x44B, "GI_Sheet_Sel_SSID"),
    Std(438, "CL_Common_ObjTimeStamp", 0x44C, "GI_Sheet_Sel_Common_ObjTimeStamp"),
    In(439, "CL_Common_ItmName", 0x44D, Shape::kFixedText, 9),
    Std(440, "CL_Common_ItmType", 0x456, "GI_Sheet_Sel_Common_ItmType"),
    SymbolPick(441, "CL_Common_ItmSymbol", 0x457),
    SymbolCode(442, "CL_Common_ItmSymbolEdit", 0x457),
    Comment(443, "CL_Common_ItmComment", 0x459, kExtItem, -1, commonset::kItemAltitude),
    In(444, "CL_Common_ItmPosLat", 0x484, Shape::kLatitude, 4),
    In(445, "CL_Common_ItmPosLon", 0x488, Shape::kLongitude, 4),
    In(446, "CL_Common_ItmPosAlt", commonset::kItemAltitude, Shape::kAltitude, 4),
    Std(447, "CL_Common_ItmDataExtension", kExtItem, "GI_Sheet_Sel_Common_Data_Extension")
        .ReadByOthers(),
    In(448, "CL_Common_ItmCourse", 0x490, Shape::kCourse, 2).GreyUnless(kExtItem, kCourseSpeed),
    In(449, "CL_Common_ItmSpd", 0x492, Shape::kSpeed, 2).GreyUnless(kExtItem, kCourseSpeed),
    Std(450, "CL_Common_ItmPhgdPow", 0x495, "GI_Sheet_Sel_Common_PhgdPow")
        .GreyUnless(kExtItem, kPhgd),
    Sel(451, "CL_Common_ItmPhgdHeight", 0x496, Selector::kLinearUnit,
        "GI_Sheet_Sel_Common_PhgdHeight_m", "GI_Sheet_Sel_Common_PhgdHeight_ft")
        .GreyUnless(kExtItem, kPhgd),
    Std(452, "CL_Common_ItmPhgdGain", 0x497, "GI_Sheet_Sel_Common_PhgdGain")
        .GreyUnless(kExtItem, kPhgd),
    Sel(453, "CL_Common_ItmPhgdDir", 0x498, Selector::kLanguage, "GI_Sheet_Sel_Common_PhgdDir",
        "GI_Sheet_Sel_Common_PhgdDir_JPN")
        .GreyUnless(kExtItem, kPhgd),
    Std(454, "CL_Common_ItmSSID", 0x499, "GI_Sheet_Sel_SSID"),
    SymbolPick(455, "CL_Common_WxSymbol", 0x49C),
    SymbolCode(456, "CL_Common_WxSymbolEdit", 0x49C),
    Std(457, "CL_Common_WxSSID", 0x49B, "GI_Sheet_Sel_SSID"),
    Comment(458, "CL_Common_WxComment", 0x49E),
    Std(459, "CL_Common_WxTimeStamp", 0x4C9, "GI_Sheet_Sel_Common_Time_Stamp"),
    Std(460, "CL_Common_GpsLogger", 0x72, "GI_Sheet_Sel_Misc_OnOff"),
    Std(462, "CL_Common_GpsLogInterval", 0x73, "GI_Sheet_Sel_Common_Gps_Log_Interval"),
    In(463, "CL_Common_GpsLogSentence", commonset::kLogSentences, Shape::kLogSentences, 1),
    Std(464, "CL_Common_SqlAtt", 0x18, "GI_Sheet_Sel_Common_SqlAtt"),
    Std(465, "CL_Common_SqlDelay", 0x19, "GI_Sheet_Sel_Common_SqlDelay"),
    Std(466, "CL_Common_FanControl", 0x1A, "GI_Sheet_Sel_Common_FanControl"),
    Std(467, "CL_Common_AutoPowerOFF", 0x2, "GI_Sheet_Sel_Common_Auto_Power_OFF"),
    Std(468, "CL_Common_DialSpeedUP", 0xD, "GI_Sheet_Sel_Misc_OnOff"),
    Sel(469, "CL_Common_AutoRepeater", 0x04, Selector::kDestination0,
        "GI_Sheet_Sel_Common_USA_Auto_RPT", nullptr),
    Sel(469, "CL_Common_AutoRepeater", 0x03, Selector::kDestinationB10, "GI_Sheet_Sel_Misc_OnOff",
        nullptr),
    Std(470, "CL_Common_RemoteMicOtPtt", 0x5, "GI_Sheet_Sel_Misc_OnOff"),
    Std(471, "CL_Common_PTTLock", 0x6, "GI_Sheet_Sel_Misc_OnOff"),
    Std(472, "CL_Common_BusyLockout", 0x7, "GI_Sheet_Sel_Misc_OnOff"),
    Std(473, "CL_Common_TOT", 0x8, "GI_Sheet_Sel_Common_TOT"),
    Std(474, "CL_Common_MicGainInt", 0x12, "GI_Sheet_Sel_Common_Mic_Level"),
    Std(475, "CL_Common_GPSSpeed", 0x17, "GI_Sheet_Sel_Common_GPS_Speed"),
    Std(476, "CL_Common_ActiveBand", 0x9, "GI_Sheet_Sel_MenuMode_Active_Band"),
    Std(477, "CL_Common_TouchOp_Sub", 0xB3, "GI_Sheet_Sel_Common_TouchOp_Sub"),
    Std(478, "CL_Common_KeyBoardType", 0xAC, "GI_Sheet_Sel_Common_KeyBoardType"),
    Std(479, "CL_Common_LbusTot", 0x1B, "GI_Sheet_Sel_Misc_OnOff"),
    In(480, "CL_Common_UTCOffset", commonset::kUtcOffset, Shape::kUtcOffset, 2),
    {481, "CL_Common_RemoteMicKey_Nor", Common(0x99), 0, 1, 1, 0xFF,
     "GI_Sheet_Sel_Common_RemoteMicKey_Nor", "GI_Sheet_Sel_Common_UpDnMicBtKey_Nor",
     Selector::kRemoteMicKey},
    {482, "CL_Common_RemoteMicKey_Nor_UD", Common(0x99), 2, 3, 1, 0xFF,
     "GI_Sheet_Sel_Common_RemoteMicKey_Nor", "GI_Sheet_Sel_Common_UpDnMicBtKey_Nor",
     Selector::kRemoteMicKey},
    {483, "CL_Common_RemoteMicKey_Nor_BT", Common(0x99), 4, 6, 1, 0xFF,
     "GI_Sheet_Sel_Common_RemoteMicKey_Nor", "GI_Sheet_Sel_Common_UpDnMicBtKey_Nor",
     Selector::kRemoteMicKey},
    Std(484, "CL_Common_RemoteMicKey_Tx", 0xA0, "GI_Sheet_Sel_Common_RemoteMicKey_Tx", 0, 1),
    Std(485, "CL_Common_RemoteMicKey_Tx_UD", 0xA0, "GI_Sheet_Sel_Common_RemoteMicKey_Tx", 2, 3),
    In(486, "CL_Common_HmchVfo", commonset::kHomeVfo, Shape::kHomeVfo, 4),
    In(487, "CL_Common_HmchMr", commonset::kHomeMemory, Shape::kHomeMemory, 2),
    In(488, "CL_Common_HmchDr", commonset::kHomeRepeater, Shape::kHomeRepeater, 2),
    Std(492, "CL_Common_Bluetooth", 0x20, "GI_Sheet_Sel_Misc_OnOff"),
    Std(493, "CL_Common_BtAutocon", 0x21, "GI_Sheet_Sel_Misc_OnOff"),
    Std(494, "CL_Common_BtSerialFunc", 0x27, "GI_Sheet_Sel_Common_BtSerialFunc"),
    Std(495, "CL_Common_BtAfOut", 0x22, "GI_Sheet_Sel_Common_BtAfOut"),
    Std(496, "CL_Common_HsMode", 0xB4, "GI_Sheet_Sel_Common_HsMode"),
    Std(497, "CL_Common_VOX", 0x1C, "GI_Sheet_Sel_Misc_OnOff"),
    Std(498, "CL_Common_VOX_SensLv", 0x1D, "GI_Sheet_Sel_Common_VOX_Sens"),
    Std(499, "CL_Common_VOX_Delay", 0x1E, "GI_Sheet_Sel_Common_VOX_Delay"),
    Std(500, "CL_Common_VOX_TOT", 0x1F, "GI_Sheet_Sel_Common_VOX_TOT"),
    Std(501, "CL_Common_BtHsSaving", 0x23, "GI_Sheet_Sel_Misc_OnOff"),
    Std(502, "CL_Common_BtHsOtPtt", 0x24, "GI_Sheet_Sel_Misc_OnOff"),
    Std(503, "CL_Common_BtHsPttBeep_Off", 0x25, "GI_Sheet_Sel_Misc_OnOff"),
    Std(504, "CL_Common_BtHsKeyBeep", 0x26, "GI_Sheet_Sel_Misc_OnOff"),
    Hex(505, "CL_Common_CIV_Address", 0x14, 0x01, 0xDF),
    Std(506, "CL_Common_CIV_BaudRate", 0x15, "GI_Sheet_Sel_Common_CIV_BaudRate"),
    Std(507, "CL_Common_CIV_Transceive", 0x16, "GI_Sheet_Sel_Misc_OnOff"),
    Hex(508, "CL_Common_CIV_BT_Transceive", 0x28, 0x00, 0xDF),
    Std(509, "CL_Common_Dimmer", 0x4B, "GI_Sheet_Sel_Common_Dimmer"),
    Std(510, "CL_Common_LCDContrast", 0x46, "GI_Sheet_Sel_Common_Contrast"),
    Std(511, "CL_Common_Scroll", 0x54, "GI_Sheet_Sel_Common_Scroll"),
    Std(512, "CL_Common_OpeningMessage", 0x55, "GI_Sheet_Sel_Misc_OnOff"),
    Std(513, "CL_Common_Voltage", 0x4A, "GI_Sheet_Sel_Misc_OnOff"),
    Std(514, "CL_Common_Clock_Volt", 0xB8, "GI_Sheet_Sel_Common_Clock_Volt"),
    Sel(515, "CL_Common_Temp_Units", 0x5B, Selector::kLanguage, "GI_Sheet_Sel_Common_Temp_Units",
        "GI_Sheet_Sel_Common_Temp_Units_JPN"),
    Std(516, "CL_Common_Baro_Units", 0x5C, "GI_Sheet_Sel_Common_Baro_Units"),
    Std(517, "CL_Common_Rain_Units", 0x5D, "GI_Sheet_Sel_Common_Rain_Units"),
    Std(518, "CL_Common_WidSpd_Units", 0x5E, "GI_Sheet_Sel_Common_WidSpd_Units"),
    Std(519, "CL_Common_DispLang", 0x56, "GI_Sheet_Sel_Common_Language")
        .GreyUnless(commonset::kSystemLanguage, commonset::kSystemJapanese),
    Std(520, "CL_Common_SysLang", commonset::kSystemLanguage, "GI_Sheet_Sel_Common_Language")
        .ReadByOthers(),
    Std(521, "CL_Common_Display_Type", 0x6D, "GI_Sheet_Sel_Common_Display_Type"),
    Std(522, "CL_Common_BkltNgt_Control", 0xB9, "GI_Sheet_Sel_Misc_OnOff"),
    Std(523, "CL_Common_BkltNgt_Lv", 0xBA, "GI_Sheet_Sel_Common_Dimmer"),
    In(524, "CL_Common_BkltNgt_StartTm", 0xBB, Shape::kTimeHm, 2),
    In(525, "CL_Common_BkltNgt_EndTm", 0xBD, Shape::kTimeHm, 2),
    Std(526, "CL_Common_Auto_Dimmer", 0x49, "GI_Sheet_Sel_Common_Auto_Dimmer"),
    Std(527, "CL_Common_Auto_Dimmer_Tm", 0x47, "GI_Sheet_Sel_Common_Auto_Dimmer_Tm"),
    Std(528, "CL_Common_TouchOp_AutoDimmer", 0xB2, "GI_Sheet_Sel_Common_TouchOp_Auto_Dimmer"),
    Std(529, "CL_Common_Dimmer_Ptt", 0xB5, "GI_Sheet_Sel_Misc_OnOff"),
    Std(530, "CL_Common_Dimmer_DvRx", 0xB6, "GI_Sheet_Sel_Misc_OnOff"),
    Int(531, "CL_Common_BeepLevel", 0x5F, 0, 9),
    Std(532, "CL_Common_KeyTouchBeep", 0x60, "GI_Sheet_Sel_Misc_OnOff"),
    Std(533, "CL_Common_HmchBeep", 0xA7, "GI_Sheet_Sel_Misc_OnOff"),
    Std(534, "CL_Common_BandEdgeBeep", 0x63, "GI_Sheet_Sel_Misc_OnOff"),
    Std(535, "CL_Common_StopBeep", 0x61, "GI_Sheet_Sel_Misc_OnOff"),
    Std(536, "CL_Common_SubBandMute", 0x84, "GI_Sheet_Common_SubBandMute"),
    Std(537, "CL_Common_SubBandMute_Tx", 0xB7, "GI_Sheet_Sel_Misc_OnOff"),
    Std(538, "CL_Common_Scope_AF_out", 0x65, "GI_Sheet_Sel_Misc_OnOff"),
    Std(539, "CL_Common_Speech_RxCall", 0x79, "GI_Sheet_Sel_Common_Speech_RxCall"),
    Std(540, "CL_Common_Speech_RxCs", 0x7A, "GI_Sheet_Sel_Misc_OnOff"),
    Std(541, "CL_Common_Speech_Dial", 0x7B, "GI_Sheet_Sel_Misc_OnOff"),
    Std(542, "CL_Common_Speech_Mode", 0x7C, "GI_Sheet_Sel_Misc_OnOff"),
    Std(543, "CL_Common_Speech_Language", 0x7D, "GI_Sheet_Sel_Common_Speech_Language"),
    Std(544, "CL_Common_Speech_Alphabet", 0x7E, "GI_Sheet_Sel_Common_Speech_Alphabet"),
    Std(545, "CL_Common_Speech_Speed", 0x7F, "GI_Sheet_Sel_Common_Speech_Speed"),
    Int(546, "CL_Common_Speech_Level", 0x80, 0, 9),
    Std(547, "CL_Common_RecMode", 0x71, "GI_Sheet_Sel_Common_RecMode"),
    Std(548, "CL_Common_RecCondition", 0x70, "GI_Sheet_Sel_Common_RecCondition"),
    Std(549, "CL_Common_FileSplit", 0x6F, "GI_Sheet_Sel_Misc_OnOff"),
    Std(550, "CL_Common_PttAutoRec", 0x81, "GI_Sheet_Sel_Misc_OnOff"),
    Std(551, "CL_Common_PlaySkipTime", 0x82, "GI_Sheet_Sel_Common_Play_Skip_Time"),
    Std(552, "CL_Common_VcTxRptTime", 0x8B, "GI_Sheet_Sel_Common_VcTxRptTime"),
    Std(553, "CL_Common_VcTxMon", 0x8C, "GI_Sheet_Sel_Misc_OnOff"),
    Std(554, "CL_Common_RecMicSel", 0x8A, "GI_Sheet_Sel_Common_RecMicSel"),
    Std(555, "CL_Common_QsoLog", 0x8D, "GI_Sheet_Sel_Misc_OnOff"),
    Std(556, "CL_Common_RxHisLog", 0x8E, "GI_Sheet_Sel_Misc_OnOff"),
    Std(557, "CL_Common_CsvSepdec", 0x8F, "GI_Sheet_Sel_Common_CsvSepdec"),
    Std(558, "CL_Common_CsvDate", 0x90, "GI_Sheet_Sel_Common_CsvDate"),
    Std(559, "CL_Common_SaveForm", 0x68, "GI_Sheet_Sel_Common_SaveForm"),
    Std(560, "CL_Common_ImExPort_CsvSepdec", 0xB0, "GI_Sheet_Sel_Common_CsvSepdec"),
    Std(561, "CL_Common_ImExPort_CsvDate", 0xB1, "GI_Sheet_Sel_Common_CsvDate"),
    Std(562, "CL_Common_RFPower", 0xC9, "GI_Sheet_Sel_Common_RF_Power", 0, 1),
    Std(563, "CL_Common_ToneBurst", 0x11, "GI_Sheet_Sel_Misc_OnOff"),
    Std(564, "CL_Common_Hetero_lvhf", 0xA8, "GI_Sheet_Sel_Common_Heterodyne"),
    Std(565, "CL_Common_Hetero_luhf", 0xA9, "GI_Sheet_Sel_Common_Heterodyne"),
    Std(566, "CL_Common_Hetero_ruhf", 0xAA, "GI_Sheet_Sel_Common_Heterodyne"),
    {567, "CL_Common_MiniRPT_Hung", Common(0xDA), 0, 0, 0, 0x20, "GI_Sheet_Sel_Misc_OnOff", nullptr,
     Selector::kFixed},
    Field(568, "CL_Common_CloneComment", kCloneComment, Shape::kFixedText, 16),
    Std(569, "CL_Common_PauseTimer", 0x3A, "GI_Sheet_Sel_Common_PauseTimer", 0, 1),
    Std(570, "CL_Common_ResumeTimer", 0x3C, "GI_Sheet_Sel_Common_ResumeTimer", 0, 1),
    Std(571, "CL_Common_TempSkipTimer", 0x85, "GI_Sheet_Sel_Common_TempSkipTimer", 0, 1),
    Std(572, "CL_Common_ProgramSkipScan", 0x42, "GI_Sheet_Sel_Misc_OnOff", 0, 1),
    BankLinks(573, "CL_Common_BankLink_A_J", 1, 10),
    BankLinks(574, "CL_Common_BankLink_K_T", 11, 20),
    BankLinks(575, "CL_Common_BankLink_U_Z", 21, 26),
    Std(576, "CL_Common_Wx_Alert", commonset::kWxAlert, "GI_Sheet_Sel_Misc_OnOff", 0, 1)
        .ReadByOthers(),
    Ranged(Field(577, "CL_Common_Wx_Ch", kWxChannel, Shape::kInteger, 1, 0, 1, 1), 0, 9)
        .GreyUnlessSet(commonset::kWxAlert),
};

// Combination numbers of the packed sentence sets (255: five or six sentences).
constexpr std::array<std::uint8_t, 64> kCombination = {
    0,  5,  4,  19,  3,  17, 16, 38, 2,  14,  13, 35,  12, 33, 32, 52,  1,  10,  9,   29, 8,  27,
    26, 48, 7,  24,  23, 45, 22, 43, 42, 255, 6,  21,  20, 41, 18, 40,  39, 56,  15,  37, 36, 55,
    34, 54, 53, 255, 11, 31, 30, 51, 28, 50,  49, 255, 25, 47, 46, 255, 44, 255, 255, 255};
// The sentence names, in the order of the flag bytes.
constexpr const char* kSentenceNames[] = {"RMC", "GGA", "GLL", "GSA", "VTG", "GSV"};

int MaskShift(std::uint8_t mask) {
  int shift = 0;
  while (shift < 8 && ((mask >> shift) & 1) == 0) ++shift;
  return shift;
}

bool InRow(const ChoiceField& field, int index) {
  return index >= field.firstIndex && index <= field.lastIndex;
}

bool IsChoice(const ChoiceField& field) {
  return field.shape == Shape::kChoice || field.shape == Shape::kSymbol;
}

// Whether the destination lets the row apply at all.
bool AppliesTo(const ChoiceField& field, const SelectorContext& context) {
  switch (field.selector) {
    case Selector::kDestination0: return context.destination == 0;
    case Selector::kDestinationB10:
      return context.destination == 10 || indDestination(context.destination).IsGroupB();
    default: return true;
  }
}

}  // namespace

std::span<const ChoiceField> ChoiceFields() { return kFields; }

const ChoiceField* FindChoiceField(int cellId) {
  for (const ChoiceField& f : kFields)
    if (f.cellId == cellId) return &f;
  return nullptr;
}

const ChoiceField* FindRowAt(int cellId, int index, const SelectorContext& context) {
  for (const ChoiceField& f : kFields)
    if (f.cellId == cellId && InRow(f, index) && AppliesTo(f, context)) return &f;
  return nullptr;
}

const char* ChoiceListOf(const ChoiceField& field, int index,
                         const imageaccess::CommonBlock& common, const SelectorContext& context) {
  if (!InRow(field, index) || !IsChoice(field) || !AppliesTo(field, context)) return nullptr;
  switch (field.selector) {
    case Selector::kFixed:
    case Selector::kAprsSymbol:
    case Selector::kDestination0:
    case Selector::kDestinationB10: return field.list;
    case Selector::kLanguage: return context.japanese ? field.listAlt : field.list;
    case Selector::kLinearUnit:
      return commonset::MetricAltitude(common) ? field.list : field.listAlt;
    case Selector::kGpsAlarmBank:
      switch (GetGpsAlarm(common.Image()).type) {
        case 2: return field.list;
        case 3: return field.listAlt;
        default: return nullptr;
      }
    case Selector::kGpsAutoTx: {
      const bool longSet = commonset::GpsTxMode(common) == commonset::kGpsTxNmea &&
                           SentenceCombinationNumber(PackSentenceFlags(common)) >= kLongSentenceSet;
      return longSet ? field.listAlt : field.list;
    }
    case Selector::kRemoteMicKey: return index >= 2 && index <= 6 ? field.listAlt : field.list;
  }
  return nullptr;
}

std::int64_t ChoiceByteOffset(const ChoiceField& field, int index) {
  if (!InRow(field, index)) return -1;
  return field.offset + static_cast<std::int64_t>(field.indexStride) * index;
}

std::uint8_t FieldBits(const ChoiceField& field, int k) {
  if (k < 0 || k >= field.size) return 0;
  if (field.shape != Shape::kBankLinks) return field.mask;
  // Bank b is bit b mod 8 of byte b / 8; the group holds banks minimum - 1 ..
  // maximum - 1.
  std::uint8_t bits = 0;
  for (int bank = field.minimum - 1; bank < field.maximum; ++bank)
    if (bank / 8 == k) bits = static_cast<std::uint8_t>(bits | (1u << (bank % 8)));
  return bits;
}

std::uint32_t ReadChoiceValue(const cmcEeprom& image, const ChoiceField& field, int index) {
  const std::int64_t at = ChoiceByteOffset(field, index);
  if (at < 0) return 0;
  return static_cast<std::uint32_t>((image.GetByte(at) & field.mask) >> MaskShift(field.mask));
}

bool WriteChoiceValue(cmcEeprom& image, const ChoiceField& field, int index, std::uint32_t value) {
  const std::int64_t at = ChoiceByteOffset(field, index);
  const std::uint32_t limit = static_cast<std::uint32_t>(field.mask) >> MaskShift(field.mask);
  if (at < 0 || value > limit) return false;
  const std::uint8_t kept = static_cast<std::uint8_t>(image.GetByte(at) & ~field.mask);
  image.SetByte(at, static_cast<std::uint8_t>(kept | (value << MaskShift(field.mask))));
  return true;
}

int PackSentenceFlags(const imageaccess::CommonBlock& common) {
  return PackSixFlags(commonset::SentenceFlags(common));
}

int SentenceCombinationNumber(int packed) {
  if (packed < 0 || packed >= 64) return 255;
  return kCombination[static_cast<std::size_t>(packed)];
}

std::string SentenceCombinationText(int packed) {
  if (packed < 0 || packed >= 64) return {};
  const SixFlags flags = UnpackSixFlags(static_cast<std::uint8_t>(packed));
  std::string text;
  int count = 0;
  for (std::size_t i = 0; i < flags.size(); ++i) {
    if (!flags[i]) continue;
    if (count++ > 0) text += ", ";
    text += kSentenceNames[i];
  }
  if (count == 0) return "OFF";
  return count >= 5 ? "Dummy" : text;
}

}  // namespace choicefield
