// The key table of "tw.cfg" and "login.cfg": one row per key, from which
// Config.h makes the key ids and the settings' declarations, ConfigValues.cpp
// their definitions, defaults and reset, and ConfigKeys.cpp the name table
// and the reader.
//
// Rows stand in the name table's own order: the key numbers ascend except
// where OrderCache, Mouse, ToolTipPreDelay and AllowWindowResize stand before
// their lower-numbered neighbours.  Number 22 has no key.
//
//   SETTING(number, Name, Type, default, parser): the key sets the global
//       Name, of that type and built-in default; parser(Name, value) applies
//       a line's value to it.  ConfigText<N> is a text of at most N - 1
//       characters; BOOL settings hold 0 or 1; colours are 15-bit 5-5-5
//       pixels.
//   KEY(number, Name, parser): a key without a global of its own;
//       parser(value) applies the value to the settings it names, or drops
//       it (IgnoreValue: the key is known but its value is not applied).
//
// The parsers live in ConfigKeys.cpp.
#pragma once

// clang-format off
#define TW_CONFIG_KEYS(SETTING, KEY)                                                           \
    SETTING(0, CdRomDataPath, ConfigText<256>, "", ParseText)                                  \
    SETTING(1, CacheSize, int, 0, ParseNumber) /* megabytes */                                 \
    KEY(2, HdUsage, ParseHdUsage) /* sets hdConfig */                                          \
    SETTING(3, PlayerName, ConfigText<30>, "TW Player", ParseTextUnlessEmpty)                  \
    SETTING(4, Password, ConfigText<30>, "", ParsePassword) /* unscrambled */                  \
    SETTING(5, Sound, BOOL, 1, ParseOnYes)                                                     \
    SETTING(6, SoundVol, int, 255, ParseNumber)                                                \
    SETTING(7, Music, BOOL, 1, ParseOnYes)                                                     \
    SETTING(8, MusicVol, int, 255, ParseNumber)                                                \
    SETTING(9, ObscenityFilter, BOOL, 1, ParseOnYes)                                           \
    KEY(10, ObsceneWord, IgnoreValue)                                                          \
    SETTING(11, FilterPassword, ConfigText<30>, "", ParsePassword) /* unscrambled */           \
    SETTING(12, PageFlip, BOOL, 1, ParsePageFlip)                                              \
    SETTING(13, GDIFullScreen, BOOL, 0, ParseGDIFullScreen)                                    \
    SETTING(14, FrameCounter, BOOL, 0, ParseOnYes)                                             \
    SETTING(15, SavePassword, BOOL, 0, ParseOnYes)                                             \
    SETTING(16, FullScreen, BOOL, 0, ParseOnYes)                                               \
    SETTING(17, FullScreenRes, ConfigText<512>, "640x480", ParseText)                          \
    SETTING(18, GamePlayWindowSize, ConfigText<512>, "640x480", ParseGamePlayWindowSize)       \
    KEY(19, UserLanguageCodeString, IgnoreValue)                                               \
    KEY(20, EditServer, ParseEditServer) /* sets EditServerAddress and -Port */                \
    KEY(21, UserCentral, ParseUserCentral) /* sets UserCentralAddress and -Port */             \
    SETTING(23, ShowIntroAnim, BOOL, 0, ParseOnYes)                                            \
    SETTING(24, use565, BOOL, 0, ParseOnYes)                                                   \
    SETTING(25, EnableMessenger, BOOL, 1, ParseOnYesTrue)                                      \
    SETTING(26, TWMessengerPing, BOOL, 1, ParseOnYesTrue)                                      \
    SETTING(27, autoLogIn, BOOL, 0, ParseOnYes)                                                \
    KEY(29, OrderCache, ParseOrderCache) /* sets OrderCacheOnStartup */                        \
    SETTING(28, OrderCacheOnStartup, BOOL, 0, ParseOnYes)                                      \
    SETTING(30, RememberAcctPW, BOOL, 0, ParseOnYes)                                           \
    SETTING(31, LoginServerFile, ConfigText<256>, "", ParseText) /* empty: "login.cfg" */      \
    KEY(32, LoginServer, ParseLoginServer) /* appends to loginServers */                       \
    KEY(33, BackupLoginServer, ParseBackupLoginServer)                                         \
    SETTING(34, AcctID, ConfigText<42>, "", ParseTextUnlessEmpty)                              \
    SETTING(35, AcctLastName, ConfigText<60>, "", ParseTextUnlessEmpty)                        \
    SETTING(36, AcctPassword, ConfigText<31>, "", ParsePassword) /* unscrambled; 30 fit */     \
    SETTING(37, NextLoginKey, M_BYTE, 0, ParseNextLoginKey)                                    \
    SETTING(38, DefaultChar, int, 0, ParseDefaultChar) /* 0-4 */                               \
    KEY(40, Mouse, ParseMouse) /* sets MouseThread */                                          \
    SETTING(39, MouseThread, BOOL, 1, ParseMouseThread) /* start the cursor thread */          \
    SETTING(41, UseVerData, BOOL, 1, ParseOnYes)                                               \
    SETTING(42, SaveJournal, BOOL, 0, IgnoreValue) /* set by JournalSaveFile */                \
    SETTING(43, JournalSaveFile, ConfigText<256>, "", ParseJournalSaveFile)                    \
    SETTING(44, JournalSaveUnicode, BOOL, 0, ParseOnYes)                                       \
    SETTING(45, NotorietyQuery, BOOL, 1, ParseOnYes)                                           \
    SETTING(46, UseCircleTrans, BOOL, 0, ParseOnYes)                                           \
    SETTING(47, CircleTransRadius, int, 64, ParseCircleTransRadius)                            \
    KEY(48, CircleTransPos, ParseCircleTransPos)                                               \
    SETTING(49, FilterPWOn, BOOL, 0, ParseOnYes)                                               \
    SETTING(50, Footsteps, BOOL, 1, ParseOnYes)                                                \
    SETTING(51, ShowTips, BOOL, 1, ParseOnYes)                                                 \
    SETTING(52, LastTip, int, -1, ParseNumber)                                                 \
    SETTING(53, CurrentVer, int, -1, ParseNumber)                                              \
    SETTING(54, BarkTimeModifier, int, 100, ParseNumber)                                       \
    SETTING(55, ScaleBarkTimes, BOOL, 1, ParseOnYes)                                           \
    SETTING(56, CombatHueColor, int, 0, ParseColour)                                           \
    SETTING(57, FrameSkipping, BOOL, 0, ParseOnYes) /* a late loop skips one draw */           \
    SETTING(58, AllowPathfind, BOOL, 1, ParseOnYes)                                            \
    SETTING(59, HoldTabForCombat, BOOL, 1, ParseOnYes) /* Tab held = war mode */               \
    SETTING(60, OffsetGumps, BOOL, 1, ParseOnYes)                                              \
    SETTING(61, AutoArrangeMinimized, BOOL, 1, ParseOnYes)                                     \
    SETTING(62, UnicodeSpeech, BOOL, 0, ParseOnYes)                                            \
    SETTING(63, AltKeyModNum, int, -1, ParseNumber) /* X modifier of Alt, -1: find */          \
    SETTING(64, Sound8Bit, BOOL, 0, ParseOnYes)                                                \
    SETTING(65, ReverseSpeakers, BOOL, 0, ParseOnYes)                                          \
    SETTING(66, ChatColorSelfText, int, 0x7FFF, ParseColour)                                   \
    SETTING(67, ChatColorSelfName, int, 0x3DEF, ParseColour)                                   \
    SETTING(68, ChatColorOpsText, int, 0x7C1F, ParseColour)                                    \
    SETTING(69, ChatColorOpsName, int, 0x3C0F, ParseColour)                                    \
    SETTING(70, ChatColorMutedText, int, 0x001F, ParseColour)                                  \
    SETTING(71, ChatColorMutedName, int, 0x000F, ParseColour)                                  \
    SETTING(72, ChatColorText, int, 0x7FE0, ParseColour)                                       \
    SETTING(73, ChatColorName, int, 0x3DE0, ParseColour)                                       \
    SETTING(74, ChatColorMenuOption, int, 0x7FE0, ParseColour)                                 \
    SETTING(75, ChatColorInput, int, 0x7BDE, ParseColour)                                      \
    SETTING(76, ChatColorSystemMessage, int, 0x03E0, ParseColour)                              \
    SETTING(77, ChatColorConferenceMenuBackground, int, 0x0C63, ParseColour)                   \
    SETTING(78, ChatColorCommandMenuBackground, int, 0x0C63, ParseColour)                      \
    SETTING(79, ChatColorUserListBackground, int, 0, ParseColour)                              \
    SETTING(80, ChatColorTextBackground, int, 0, ParseColour)                                  \
    SETTING(81, ChatColorInputBackground, int, 0, ParseColour)                                 \
    SETTING(82, ChatColorDialogBackground, int, 0, ParseColour)                                \
    SETTING(83, ChatFontNumber, int, 2, ParseNumber)                                           \
    SETTING(84, ChatSpaceWidth, int, 6, ParseNumber)                                           \
    SETTING(85, ChatAntiAlias, BOOL, 0, ParseOnYes)                                            \
    SETTING(86, BarkFontNumber, int, 0, ParseNumber)                                           \
    SETTING(87, ProfileColor1, int, 0x0860, ParseColour)                                       \
    SETTING(88, ProfileColor2, int, 0x0860, ParseColour)                                       \
    KEY(89, HighlightColorInnocent, ParseHighlight<1>) /* entry number - 88 */                 \
    KEY(90, HighlightColorFriend, ParseHighlight<2>)                                           \
    KEY(91, HighlightColorCanAttack, ParseHighlight<3>)                                        \
    KEY(92, HighlightColorCriminal, ParseHighlight<4>)                                         \
    KEY(93, HighlightColorEnemy, ParseHighlight<5>)                                            \
    KEY(94, HighlightColorMurderer, ParseHighlight<6>)                                         \
    SETTING(95, AssumePlayAsGhost, BOOL, 1, ParseOnYes)                                        \
    SETTING(96, UseToolTips, BOOL, 1, ParseOnYes)                                              \
    SETTING(98, ToolTipPreDelay, int, 1000, ParseDelay) /* ms, at least 100 */                 \
    SETTING(97, ToolTipFont, int, 1, ParseFontNumber) /* 0-2 */                                \
    SETTING(99, ToolTipTextColor, int, 0x7FFF, ParseColour)                                    \
    SETTING(100, PopupHelpEnabled, BOOL, 1, ParsePopupHelpEnabled)                             \
    SETTING(101, PopupHelpPreDelay, int, 1000, ParseDelay) /* ms, at least 100 */              \
    SETTING(102, PopupHelpTextColor, int, 0x7FFF, ParseColour)                                 \
    SETTING(103, PopupHelpTextFont, int, 1, ParseFontNumber) /* 0-2 */                         \
    SETTING(104, PopupHelpSticky, BOOL, 0, ParseOnYesTrueOne)                                  \
    SETTING(105, PopupHelpPersistant, BOOL, 1, ParseUnlessNo)                                  \
    SETTING(106, CensorFlesh, BOOL, 0, ParseOnYes)                                             \
    SETTING(107, CensorBlood, BOOL, 0, ParseOnYes)                                             \
    SETTING(108, CensoredBloodColor, int, 0x03E0, ParseColour)                                 \
    KEY(109, TranslationServer, IgnoreValue)                                                   \
    KEY(110, TranslationServerIPAddress, IgnoreValue)                                          \
    KEY(111, TranslationServerTranslatorName, IgnoreValue)                                     \
    KEY(112, TranslationServerSystranNFWMarker, IgnoreValue)                                   \
    KEY(113, TranslationServerSystranTopicalGlossaries, IgnoreValue)                           \
    KEY(114, TranslationServerSystranDocumentType, IgnoreValue)                                \
    KEY(115, TranslationServerAutomatic, IgnoreValue)                                          \
    SETTING(117, AllowWindowResize, BOOL, 1, ParseAllowWindowResize)                           \
    SETTING(116, SpamLimit, int, 30, ParseSpamLimit) /* characters a second, >= 1 */           \
    KEY(118, FileManagerAddSearchPath, ParseSearchPath)                                        \
    KEY(119, GMHelpQueueLinesPerRequest, IgnoreValue)                                          \
    KEY(120, GMHelpQueueMaxCharactersPerLine, IgnoreValue)                                     \
    SETTING(121, ColoredLighting, BOOL, 0, ParseOnYes)                                         \
    SETTING(122, ShadedFonts, BOOL, 0, ParseOnYes)                                             \
    SETTING(123, ClientFirstLaunch, BOOL, 1, ParseOnYes)                                       \
    SETTING(124, SkillReportDiff, int, 20, ParseSkillReportDiff) /* at most 100 */             \
    SETTING(125, ShowIncomingNames, BOOL, 1, ParseOnYes)                                       \
    SETTING(126, StatReport, BOOL, 1, ParseOnYes)                                              \
    SETTING(127, LastServerID, int, 0, ParseNotNegative)                                       \
    SETTING(128, FilterWeather, BOOL, 0, ParseOnYes)
// clang-format on
