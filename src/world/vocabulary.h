// The story's words: the rooms, the 21 items, what each progress byte remembers, the codes the
// rule book answers with, the cursor modes, and the objects that the rules single out. The
// numbers are the ones a saved game stores, so none of them may ever change.
#pragma once

#include <cstdint>

namespace lnf {

// ----- rooms -----
enum RoomName : int8_t {
    kCabin = 1,
    kLane = 2,
    kHumptyWall = 3,
    kFlowerGarden = 4,
    kHorseRoad = 5,
    kGoatEngine = 6,
    kForestAlcove = 7,
    kSingingTrees = 8,
    kCrossroads = 9,
    kOutsideCabin = 10,
    kBalcony = 11,
    kMeadowPath = 12,
    kHillPath = 13,
    kFawnWood = 14,
    kJubjubTree = 15,
    kStairToBalcony = 16,
    kAlpacaParlour = 17,
    kFrogDoor = 18,
    kQueenPath = 19,
    kGardenBehindCabin = 20,
    kFork = 21,
    kStream = 22,
    kMolassesPool = 23,
    kHedgeMaze = 24,
    kDarkGully = 25,
    kToveBurrow = 26,
    kMushroomRing = 27,
    kAncientTree = 28,
    kRathsHollow = 29,
    kWindyLedge = 30,
    kJabberwockCanyon = 31,
    kGoldenMountain = 32,
};

// ----- items: the number is also the cursor mode while the item is held -----
enum ItemName : int8_t {
    kNoItem = 0,  // the cursor is Look or Do
    kTicket = 1,
    kKitten = 2,
    kWhiteKing = 3,
    kBrownKnight = 4,
    kClaw = 5,
    kWing = 6,
    kHarp = 7,
    kCheese = 8,
    kNote = 9,
    kRosePetal = 10,
    kFishingRod = 11,
    kStick = 12,
    kSword = 13,
    kThread = 14,
    kEggWhite = 15,
    kHorseHair = 16,
    kCorn = 17,
    kBottle = 18,
    kWhisker = 19,
    kLeaf = 20,
    kKitty = 21,
};

// ----- cursor modes -----
constexpr int kLookMode = 30;
constexpr int kDoMode = 31;
// Every mode below this one carries an item, and a press on the picture uses it.
constexpr int kFirstActionMode = 25;

// ----- progress bytes: GameState.Progress[...] -----
enum ProgressByte : int {
    KnockCount = 0,         // Do presses in the frog doorman's room
    CatfishStage = 1,       // CatfishStages
    Room17Normal = 2,       // the alpaca's parlour shows its normal picture
    LevelFlag = 3,          // 0 = puzzle level 1, 2 = level 2
    ToveFed = 4,            // the tove has had its cheese
    BottleStage = 5,        // kBottleFilled once filled at the stream
    SwordGiven = 6,         // the woman gave the sword
    MainStage = 7,          // MainStages
    WhiskerStage = 8,       // kInKettle once the whisker is in the kettle
    WingStage = 9,          // kInKettle once the wing is in the kettle
    ClawTaken = 10,         // the claw pulled from the frog doorman's door
    HarpStage = 11,         // HarpStages
    EggWhiteStage = 12,     // EggWhiteStages
    AlpacaStage = 13,       // AlpacaStages
    CheeseStage = 14,       // CheeseStages
    ChessPieces = 15,       // pieces on the chessboard, then kTicketTaken
    KingFound = 16,         // the White King found under the leaf
    KittenFound = 17,       // the kitten found under the leaf
    HorseTransformed = 18,  // the horse became the Brown Knight
    FawnMet = 19,           // the fawn's meeting ended in the singing trees
    StickTaken = 20,        // the stick taken in the fawn's wood
    BirdStage = 21,         // BirdStages
    DragonflyFreed = 22,    // the dragonfly gave its wing and flew
    RathsFed = 23,          // the mome raths had their corn
    JabberwockCame = 24,    // the Jabberwock swept into its canyon
};

// The main story, in the order it happens.
enum MainStages : int8_t {
    kStoryStart = 0,
    kCuriousThingTouched = 1,   // the thing on the alpaca's table
    kKettleSeen = 2,            // the first, incomplete, look into the kettle
    kClarifyingFormulaTold = 3,
    kBrewComplete = 4,
    kMushroomEaten = 5,
    kJabberwockAnswered = 6,
    kTreeSeen = 7,
};

// The alpaca's part of the story, beside the main one.
enum AlpacaStages : int8_t {
    kHairGiven = 2,  // the horse hair went to Humpty
    kTransformingFormulaTold = 3,
    kSunSongLearned = 4,
    kHorseGone = 5,  // the horse was transformed and has left
};

enum HarpStages : int8_t { kHarpFound = 1, kHarpOfTheWindsLearned = 2, kHarpPlayedAtKettle = 3 };
enum CatfishStages : int8_t { kFishJumped = 1, kWhiskerCaught = 2 };
enum EggWhiteStages : int8_t { kEggWhiteReceived = 1, kEggWhiteOnPetal = 2 };
enum CheeseStages : int8_t { kCheeseCut = 1, kCheeseWrappedInLeaf = 2 };
enum BirdStages : int8_t { kJubjubFlown = 1, kLeafReceived = 2 };
constexpr int8_t kBottleEmpty = 0;
constexpr int8_t kBottleFilled = 2;
constexpr int8_t kInKettle = 2;
constexpr int8_t kAllPiecesPlaced = 3;  // ChessPieces
constexpr int8_t kTicketTaken = 4;      // ChessPieces
constexpr int8_t kKnocksToBeHeard = 10;

// ----- rule codes: what GridCondition answers, and which fixed message it asks for -----
enum RuleCode : int8_t {
    kRuleOwnMessage = -1,  // the rule showed its own message or pictures, or a talk was left
    kRuleNone = 0,         // the room has no rule
    kRuleSuccess = 1,      // something was taken or changed: the object's own text
    kRuleNotApplicable = 3,

    kSayFishJumpsForFun = 4,
    kSayHumptyDone = 5,
    kSayClawTaken = 6,
    kSayLeafFromBorogove = 7,
    kSayHarpAlreadyLearned = 8,
    kSayToveHasCheese = 9,
    kSayToveTold = 10,
    kSayGoatWantsTicket = 11,
    kSaySwordGiven = 12,
    kSayEggWhiteGiven = 13,
    kSaySunSongLearned = 14,
    kSaySunSongKnown = 15,
    kSayHumptySawNote = 16,
    kSayRoseTold = 17,
    kSaySunflowersSilent = 18,
    kSayKingAlreadyFound = 19,
    kSaySunflowersTold = 20,
    kSayKingFound = 21,
    kSayKittenOnBoard = 22,
    kSayKittenWontJump = 23,
    kSayNotForGreenSquare = 24,
    kSayNotForBlueSquare = 25,
    kSayCheeseWontHelpKitty = 26,
    kSayTransformingFormula = 27,
    kSayClarifyingFormula = 28,
    kSayNoFormulaYet = 29,
    kSayAlpacaDone = 30,
    kSayUseFormulaFirst = 31,
    kSayNoAnswerAtDoor = 32,
    kSayNotForKettle = 33,
    kSayJabberwockDone = 34,
    kSayJabberwockTold = 35,
    kSayQueenLetsPass = 36,
    kSayTicketGiven = 37,
    kSayCheeseCut = 38,
    kSayHarpPlayed = 39,
    kSayWingInKettle = 40,
    kSayWhiskerInKettle = 41,
    kSayLeaveMushrooms = 42,
    kSayMushroomEaten = 43,
    kSayTreeCallsHome = 44,
    kSayTreeRepeats = 45,
    kSayDragonflyFreed = 46,
    kSayCheesePlenty = 47,
    kSayCheeseEaten = 48,
    kSayHarpOfTheWinds = 49,
    kSayBottleFull = 50,
};
constexpr int kFirstMessage = kSayFishJumpsForFun;
constexpr int kLastMessage = kSayBottleFull;

// ----- objects the rules single out -----
// Object number of code c (1..8) in room r: (r - 1) * 8 + c.
constexpr int ObjectNumber(int room, int code) { return (room - 1) * 8 + code; }

enum ObjectName : int {
    kWoman = ObjectNumber(kCabin, 1),
    kCabinFire = ObjectNumber(kCabin, 2),
    kKettle = ObjectNumber(kCabin, 3),
    kRhymeBook = ObjectNumber(kCabin, 8),
    kHumpty = ObjectNumber(kHumptyWall, 2),
    kRose = ObjectNumber(kFlowerGarden, 2),
    kSunflowers = ObjectNumber(kFlowerGarden, 3),
    kLeaves = ObjectNumber(kFlowerGarden, 5),
    kRoadSide = ObjectNumber(kHorseRoad, 1),
    kHorseHead = ObjectNumber(kHorseRoad, 2),
    kHorseBody = ObjectNumber(kHorseRoad, 5),
    kRoadFar = ObjectNumber(kHorseRoad, 8),
    kGoat = ObjectNumber(kGoatEngine, 2),
    kHarpByTree = ObjectNumber(kForestAlcove, 2),
    kTrees = ObjectNumber(kSingingTrees, 2),
    kBranches = ObjectNumber(kSingingTrees, 4),
    kRailing = ObjectNumber(kBalcony, 2),
    kBlueSquare = ObjectNumber(kBalcony, 3),
    kGreenSquare = ObjectNumber(kBalcony, 4),
    kWood = ObjectNumber(kFawnWood, 1),
    kFawn = ObjectNumber(kFawnWood, 2),
    kStickOnGround = ObjectNumber(kFawnWood, 5),
    kFawnRest = ObjectNumber(kFawnWood, 6),
    kJubjubBird = ObjectNumber(kJubjubTree, 2),
    kNest = ObjectNumber(kJubjubTree, 6),
    kAlpaca = ObjectNumber(kAlpacaParlour, 5),
    kParlourFire = ObjectNumber(kAlpacaParlour, 7),
    kDoorOfFrog = ObjectNumber(kFrogDoor, 2),
    kWhiteQueen = ObjectNumber(kQueenPath, 3),
    kAlpacaBoy = ObjectNumber(kStream, 2),
    kAlpacaBoyArm = ObjectNumber(kStream, 3),
    kWater = ObjectNumber(kStream, 4),
    kAlpacaBoyFeet = ObjectNumber(kStream, 6),
    kGrassyClump = ObjectNumber(kStream, 7),
    kSlipperyBank = ObjectNumber(kStream, 8),
    kPoolFirst = ObjectNumber(kMolassesPool, 1),  // the pool's seven parts change together
    kPool = ObjectNumber(kMolassesPool, 2),
    kStuckDragonfly = ObjectNumber(kMolassesPool, 4),
    kStuckDragonflyWing = ObjectNumber(kMolassesPool, 6),
    kPoolLast = ObjectNumber(kMolassesPool, 7),
    kTove = ObjectNumber(kToveBurrow, 2),
    kMushrooms = ObjectNumber(kMushroomRing, 6),
    kMomeRaths = ObjectNumber(kRathsHollow, 2),
    kRathsTrough = ObjectNumber(kRathsHollow, 4),
    kJabberwockFirst = ObjectNumber(kJabberwockCanyon, 2),  // its four parts come together
    kJabberwockLast = ObjectNumber(kJabberwockCanyon, 5),
    kBorogove = ObjectNumber(kGoldenMountain, 2),
    kCheeseMountain = ObjectNumber(kGoldenMountain, 3),
};

// Object codes (1..8 in a room's cell record) that a rule names without their room.
constexpr int kCuriousThingCode = 4;   // in the alpaca's parlour
constexpr int kVanishingThingCode = 8;  // in the alpaca's parlour

}  // namespace lnf
