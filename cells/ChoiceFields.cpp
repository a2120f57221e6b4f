#include "cells/ChoiceFields.h"

#include <algorithm>
#include <array>

#include "model/LayoutImage.h"
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

// Image offsets outside the common block.
constexpr std::int64_t kTxMessageSelect = 0x25EC6;
constexpr std::int64_t kTxMessageRepeat = 0x25EC7;
// The unit byte and the GPS alarm and TX settings that selectors read.
constexpr std::int64_t kUnitByte = 0x59;
constexpr std::int64_t kGpsAlarmType = 0x2E0;
constexpr std::int64_t kGpsTxMode = 0x30;
constexpr std::int64_t kSentenceFlags = 0x31;
constexpr int kGpsTxNmea = 2;
constexpr int kLongSentenceSet = 42;  // combination numbers from here on: a long sentence set

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
    Sel(377, "CL_Common_PositionFormat", 0x58, Selector::kLanguage,
        "GI_Sheet_Sel_MenuMode_GpsFormat", "GI_Sheet_Sel_MenuMode_GpsFormat_JPN"),
    Std(378, "CL_Common_Units", 0x59, "GI_Sheet_Sel_Common_Linear_Measure"),
    Std(379, "CL_Common_Speed_Units", 0x5A, "GI_Sheet_Sel_Common_Speed_Units"),
    Std(380, "CL_Common_CompassDirection", 0x6B, "GI_Sheet_Sel_Common_Compass"),
    Std(382, "CL_Common_GPS_Select", 0x67, "GI_Sheet_Sel_Common_GPS_Select"),
    Std(386, "CL_Common_GPS_Correct", 0x6C, "GI_Sheet_Sel_Misc_AutoOff"),
    Std(387, "CL_Common_GPS_Out", 0x69, "GI_Sheet_Sel_Misc_OnOff"),
    Std(388, "CL_Common_PosRxSel", 0xAD, "GI_Sheet_Sel_Common_GPS_PosRxSel"),
    Std(390, "CL_Common_AlarmArea2", 0x6A, "GI_Sheet_Sel_Common_POS_Area2"),
    Std(391, "CL_Common_GPSAlarmType", kGpsAlarmType, "GI_Sheet_Sel_Common_Gps_Alarm_Type"),
    Sel(392, "CL_Common_GPSAlarmBank", 0x2E1, Selector::kGpsAlarmBank,
        "GI_Sheet_Sel_Common_Gps_Alarm_Bank_Group", "GI_Sheet_Sel_Common_Gps_Alarm_Bank_CH"),
    Std(394, "CL_Common_GPS_Tx", kGpsTxMode, "GI_Sheet_Sel_Common_GpsTX"),
    Sel(395, "CL_Common_GPS_AutoTx", 0x37, Selector::kGpsAutoTx, "GI_Sheet_Sel_Common_GpsAutoTX",
        "GI_Sheet_Sel_Common_GpsAutoTX2"),
    Std(399, "CL_Common_DprsTxFmt", 0x308, "GI_Sheet_Sel_Common_DprsTxFmt"),
    Std(400, "CL_Common_DataExtension", 0x3F8, "GI_Sheet_Sel_Common_Data_Extension"),
    Std(401, "CL_Common_TimeStamp", 0x3FD, "GI_Sheet_Sel_Common_Time_Stamp"),
    Std(402, "CL_Common_Alt", 0x3FE, "GI_Sheet_Sel_Misc_OnOff"),
    Std(403, "CL_Common_AprsSymbol_CH", 0x342, "GI_Sheet_Sel_Common_GpsSymCh"),
    Sel(404, "CL_Common_AprsSymbolSel_1", 0x343, Selector::kAprsSymbol,
        "GI_Sheet_Sel_Common_APRS_Symbol", nullptr),
    Sel(406, "CL_Common_AprsSymbolSel_2", 0x345, Selector::kAprsSymbol,
        "GI_Sheet_Sel_Common_APRS_Symbol", nullptr),
    Sel(408, "CL_Common_AprsSymbolSel_3", 0x347, Selector::kAprsSymbol,
        "GI_Sheet_Sel_Common_APRS_Symbol", nullptr),
    Sel(410, "CL_Common_AprsSymbolSel_4", 0x349, Selector::kAprsSymbol,
        "GI_Sheet_Sel_Common_APRS_Symbol", nullptr),
    Std(412, "CL_Common_SSID", 0x341, "GI_Sheet_Sel_SSID"),
    Std(413, "CL_Common_AprsComment_CH", 0x34B, "GI_Sheet_Sel_Common_GpsCommentCh"),
    Std(418, "CL_Common_PosPhgdPow", 0x3F9, "GI_Sheet_Sel_Common_PhgdPow"),
    Sel(419, "CL_Common_PosPhgdHeight", 0x3FA, Selector::kLinearUnit,
        "GI_Sheet_Sel_Common_PhgdHeight_m", "GI_Sheet_Sel_Common_PhgdHeight_ft"),
    Std(420, "CL_Common_PosPhgdGain", 0x3FB, "GI_Sheet_Sel_Common_PhgdGain"),
    Sel(421, "CL_Common_PosPhgdDir", 0x3FC, Selector::kLanguage, "GI_Sheet_Sel_Common_PhgdDir",
        "GI_Sheet_Sel_Common_PhgdDir_JPN"),
    Std(423, "CL_Common_ObjType", 0x408, "GI_Sheet_Sel_Common_ObjType"),
    Sel(424, "CL_Common_ObjSymbol", 0x409, Selector::kAprsSymbol, "GI_Sheet_Sel_Common_APRS_Symbol",
        nullptr),
    Std(430, "CL_Common_ObjDataExtension", 0x446, "GI_Sheet_Sel_Common_Data_Extension"),
    Std(433, "CL_Common_ObjPhgdPow", 0x447, "GI_Sheet_Sel_Common_PhgdPow"),
    Sel(434, "CL_Common_ObjPhgdHeight", 0x448, Selector::kLinearUnit,
        "GI_Sheet_Sel_Common_PhgdHeight_m", "GI_Sheet_Sel_Common_PhgdHeight_ft"),
    Std(435, "CL_Common_ObjPhgdGain", 0x449, "GI_Sheet_Sel_Common_PhgdGain"),
    Sel(436, "CL_Common_ObjPhgdDir", 0x44A, Selector::kLanguage, "GI_Sheet_Sel_Common_PhgdDir",
        "GI_Sheet_Sel_Common_PhgdDir_JPN"),
    Std(437, "CL_Common_ObjSSID", 0x44B, "GI_Sheet_Sel_SSID"),
    Std(438, "CL_Common_ObjTimeStamp", 0x44C, "GI_Sheet_Sel_Common_ObjTimeStamp"),
    Std(440, "CL_Common_ItmType", 0x456, "GI_Sheet_Sel_Common_ItmType"),
    Sel(441, "CL_Common_ItmSymbol", 0x457, Selector::kAprsSymbol, "GI_Sheet_Sel_Common_APRS_Symbol",
        nullptr),
    Std(447, "CL_Common_ItmDataExtension", 0x494, "GI_Sheet_Sel_Common_Data_Extension"),
    Std(450, "CL_Common_ItmPhgdPow", 0x495, "GI_Sheet_Sel_Common_PhgdPow"),
    Sel(451, "CL_Common_ItmPhgdHeight", 0x496, Selector::kLinearUnit,
        "GI_Sheet_Sel_Common_PhgdHeight_m", "GI_Sheet_Sel_Common_PhgdHeight_ft"),
    Std(452, "CL_Common_ItmPhgdGain", 0x497, "GI_Sheet_Sel_Common_PhgdGain"),
    Sel(453, "CL_Common_ItmPhgdDir", 0x498, Selector::kLanguage, "GI_Sheet_Sel_Common_PhgdDir",
        "GI_Sheet_Sel_Common_PhgdDir_JPN"),
    Std(454, "CL_Common_ItmSSID", 0x499, "GI_Sheet_Sel_SSID"),
    Sel(455, "CL_Common_WxSymbol", 0x49C, Selector::kAprsSymbol, "GI_Sheet_Sel_Common_APRS_Symbol",
        nullptr),
    Std(457, "CL_Common_WxSSID", 0x49B, "GI_Sheet_Sel_SSID"),
    Std(459, "CL_Common_WxTimeStamp", 0x4C9, "GI_Sheet_Sel_Common_Time_Stamp"),
    Std(460, "CL_Common_GpsLogger", 0x72, "GI_Sheet_Sel_Misc_OnOff"),
    Std(462, "CL_Common_GpsLogInterval", 0x73, "GI_Sheet_Sel_Common_Gps_Log_Interval"),
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
    Std(506, "CL_Common_CIV_BaudRate", 0x15, "GI_Sheet_Sel_Common_CIV_BaudRate"),
    Std(507, "CL_Common_CIV_Transceive", 0x16, "GI_Sheet_Sel_Misc_OnOff"),
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
    Std(519, "CL_Common_DispLang", 0x56, "GI_Sheet_Sel_Common_Language"),
    Std(520, "CL_Common_SysLang", 0x57, "GI_Sheet_Sel_Common_Language"),
    Std(521, "CL_Common_Display_Type", 0x6D, "GI_Sheet_Sel_Common_Display_Type"),
    Std(522, "CL_Common_BkltNgt_Control", 0xB9, "GI_Sheet_Sel_Misc_OnOff"),
    Std(523, "CL_Common_BkltNgt_Lv", 0xBA, "GI_Sheet_Sel_Common_Dimmer"),
    Std(526, "CL_Common_Auto_Dimmer", 0x49, "GI_Sheet_Sel_Common_Auto_Dimmer"),
    Std(527, "CL_Common_Auto_Dimmer_Tm", 0x47, "GI_Sheet_Sel_Common_Auto_Dimmer_Tm"),
    Std(528, "CL_Common_TouchOp_AutoDimmer", 0xB2, "GI_Sheet_Sel_Common_TouchOp_Auto_Dimmer"),
    Std(529, "CL_Common_Dimmer_Ptt", 0xB5, "GI_Sheet_Sel_Misc_OnOff"),
    Std(530, "CL_Common_Dimmer_DvRx", 0xB6, "GI_Sheet_Sel_Misc_OnOff"),
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
    Std(569, "CL_Common_PauseTimer", 0x3A, "GI_Sheet_Sel_Common_PauseTimer", 0, 1),
    Std(570, "CL_Common_ResumeTimer", 0x3C, "GI_Sheet_Sel_Common_ResumeTimer", 0, 1),
    Std(571, "CL_Common_TempSkipTimer", 0x85, "GI_Sheet_Sel_Common_TempSkipTimer", 0, 1),
    Std(572, "CL_Common_ProgramSkipScan", 0x42, "GI_Sheet_Sel_Misc_OnOff", 0, 1),
    Std(576, "CL_Common_Wx_Alert", 0x40, "GI_Sheet_Sel_Misc_OnOff", 0, 1),
};

// Combination numbers of the packed sentence sets (255: five or six sentences).
constexpr std::array<std::uint8_t, 64> kCombination = {
    0,  5,  4,  19,  3,  17, 16, 38, 2,  14,  13, 35,  12, 33, 32, 52,  1,  10,  9,   29, 8,  27,
    26, 48, 7,  24,  23, 45, 22, 43, 42, 255, 6,  21,  20, 41, 18, 40,  39, 56,  15,  37, 36, 55,
    34, 54, 53, 255, 11, 31, 30, 51, 28, 50,  49, 255, 25, 47, 46, 255, 44, 255, 255, 255};
// Bit of each sentence flag, in the order of the flag bytes.
constexpr std::array<int, 6> kSentenceBit = {4, 3, 2, 1, 0, 5};

int MaskShift(std::uint8_t mask) {
  int shift = 0;
  while (shift < 8 && ((mask >> shift) & 1) == 0) ++shift;
  return shift;
}

bool InRow(const ChoiceField& field, int index) {
  return index >= field.firstIndex && index <= field.lastIndex;
}

}  // namespace

std::span<const ChoiceField> ChoiceFields() { return kFields; }

const ChoiceField* FindChoiceField(int cellId) {
  for (const ChoiceField& f : kFields)
    if (f.cellId == cellId) return &f;
  return nullptr;
}

const char* ChoiceListOf(const ChoiceField& field, int index, const cmcEeprom& image,
                         const SelectorContext& context) {
  if (!InRow(field, index)) return nullptr;
  switch (field.selector) {
    case Selector::kFixed:
    case Selector::kAprsSymbol: return field.list;
    case Selector::kLanguage: return context.japanese ? field.listAlt : field.list;
    case Selector::kLinearUnit:
      return image.GetByte(Common(kUnitByte)) == 0 ? field.list : field.listAlt;
    case Selector::kGpsAlarmBank:
      switch (image.GetByte(Common(kGpsAlarmType))) {
        case 2: return field.list;
        case 3: return field.listAlt;
        default: return nullptr;
      }
    case Selector::kGpsAutoTx: {
      const int packed = PackSentenceFlags(image);
      const bool longSet = image.GetByte(Common(kGpsTxMode)) == kGpsTxNmea && packed < 64 &&
                           SentenceCombinationNumber(packed) >= kLongSentenceSet;
      return longSet ? field.listAlt : field.list;
    }
    case Selector::kDestination0: return context.destination == 0 ? field.list : nullptr;
    case Selector::kDestinationB10: {
      const bool applies =
          context.destination == 10 || indDestination(context.destination).IsGroupB();
      return applies ? field.list : nullptr;
    }
    case Selector::kRemoteMicKey: return index >= 2 && index <= 6 ? field.listAlt : field.list;
  }
  return nullptr;
}

std::int64_t ChoiceByteOffset(const ChoiceField& field, int index) {
  if (!InRow(field, index)) return -1;
  return field.offset + static_cast<std::int64_t>(field.indexStride) * index;
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

int PackSentenceFlags(const cmcEeprom& image) {
  int packed = 0;
  for (std::size_t i = 0; i < kSentenceBit.size(); ++i) {
    const int flag = image.GetByte(Common(kSentenceFlags) + static_cast<std::int64_t>(i));
    if (flag > 1) return 64;
    packed |= flag << kSentenceBit[i];
  }
  return packed;
}

int SentenceCombinationNumber(int packed) {
  if (packed < 0 || packed >= 64) return 255;
  return kCombination[static_cast<std::size_t>(packed)];
}

}  // namespace choicefield
