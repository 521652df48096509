#include "hangman/hangmanwords.h"

#include <cmath>
#include <cstdint>

namespace hangman {

// The order is part of the data: an index always names the same word. Ten words to a line, each line
// headed by the indexes of its first and last word.
// clang-format off
const std::array<std::string_view, WordCount> HangmanWords{
    // 0-9
    "ALLOW", "APPLE", "ANSWER", "APPROVE", "ARCH", "APRON", "ARENA", "ARCHERY", "ARMOR", "AROUND",
    // 10-19
    "ARROW", "ATHLETE", "ACORN", "BABY", "BACK", "BALL", "BALLOON", "BAMBOO", "BANANA", "BANK",
    // 20-29
    "BATH", "BATTLE", "BEACH", "BEAR", "BEAVER", "BEDTIME", "BEEHIVE", "BEETLE", "BEGIN", "BEYOND",
    // 30-39
    "BIRD", "BITE", "BLACK", "BLANKET", "BLOCKS", "BLOUSE", "BOBCAT", "BOOK", "BORDER", "BOTTLE",
    // 40-49
    "BOXING", "BRAIN", "BRAVE", "BREAD", "BREAK", "BRIDGE", "BROKEN", "BRONZE", "BROTHER", "BUSY",
    // 50-59
    "BUTTER", "BUTTON", "BUZZARD", "CABIN", "CACTUS", "CAKE", "CALF", "CAMEL", "CAMERA", "CANNON",
    // 60-69
    "CARTOON", "CASTLE", "CEMENT", "CEREAL", "CHAIR", "CHALK", "CHANGE", "CHEAT", "CHECK", "CHERRY",
    // 70-79
    "CHESS", "CHICKEN", "CHILD", "CHIMNEY", "CHOP", "CIDER", "CIRCLE", "CLAP", "CLASS", "CLAWS",
    // 80-89
    "CLOCK", "CLOWN", "COAT", "COCONUT", "COIN", "COLD", "COMET", "COMPASS", "CORN", "CORRECT",
    // 90-99
    "COUGAR", "COYOTE", "CRAB", "CRACK", "CROWN", "CRUNCH", "CURTAIN", "CUTE", "DADDY", "DANCER",
    // 100-109
    "DART", "DATE", "DEER", "DENTIST", "DESK", "DIRTY", "DIVE", "DOLPHIN", "DOOR", "DOUBLE",
    // 110-119
    "DRAGON", "DRAW", "DRESS", "DRESSER", "DRILL", "DRIVE", "DROP", "DRUMS", "DUCK", "DULL",
    // 120-129
    "EAR", "EARTH", "EAST", "EAT", "ECHO", "EDGE", "EGG", "EMPTY", "ENERGY", "ENOUGH",
    // 130-139
    "ENGINE", "EQUAL", "EVENT", "EXIT", "EXTRA", "EYE", "FACE", "FALCON", "FATHER", "FINISH",
    // 140-149
    "FLAG", "FLOWER", "FOOT", "FOSSIL", "FOURTH", "FROG", "GAME", "GIRAFFE", "GLOVE", "GOLF",
    // 150-159
    "GOOD", "GOOSE", "GORILLA", "GRAPE", "GRAY", "GREEN", "GUESS", "GUITAR", "HAMMER", "HAPPY",
    // 160-169
    "HARD", "HAT", "HAVE", "HAWK", "HEARD", "HEART", "HELMET", "HIGH", "HOCKEY", "HOME",
    // 170-179
    "HONEY", "HOOP", "HORN", "HOSE", "HOTEL", "HURRY", "ICE", "IDEA", "IGLOO", "IMAGE",
    // 180-189
    "INCLINE", "INDEX", "INDOORS", "INFANT", "INSECT", "INVALID", "JACKAL", "JAGUAR", "JAW", "JELLY",
    // 190-199
    "JEWEL", "JOKE", "JUMP", "KEEP", "KEY", "KIND", "KISS", "KNIGHT", "KNOT", "KNOW",
    // 200-209
    "LADDER", "LAND", "LANTERN", "LAUNCH", "LEAF", "LEFT", "LEOPARD", "LETTUCE", "LIGHT", "LIME",
    // 210-219
    "LION", "LITTER", "LITTLE", "LIZARD", "LONG", "LOUD", "LUCK", "MACHINE", "MAGIC", "MAKE",
    // 220-229
    "MAJOR", "MARBLE", "MARKET", "MASTER", "MAZE", "MEDAL", "MESSY", "METRIC", "MILD", "MILE",
    // 230-239
    "MINE", "MILK", "MIRROR", "MONKEY", "MOOSE", "MOON", "MOST", "MOTOR", "MOUSE", "MUSIC",
    // 240-249
    "MYTH", "NAME", "NARROW", "NEAR", "NATURE", "NECK", "NEST", "NEXT", "NIBBLE", "NIGHT",
    // 250-259
    "NOBODY", "NORTH", "NOISE", "NOSE", "NOVEL", "NOVICE", "NUMBER", "OBEY", "OCTOPUS", "ODOR",
    // 260-269
    "OLIVE", "ONION", "OPEN", "ORANGE", "OTTER", "OUTSIDE", "OVAL", "OVER", "OWL", "PADDLE",
    // 270-279
    "PAINT", "PANTHER", "PANDA", "PANTS", "PARROT", "PARTY", "PASTE", "PAUSE", "PAWN", "PEAR",
    // 280-289
    "PENGUIN", "PEPPER", "PETAL", "PIANO", "PICTURE", "PILLOW", "PLAIN", "PLAY", "POCKET", "POLE",
    // 290-299
    "POOL", "PRINT", "PRIDE", "PRIZE", "PULL", "PUSH", "PUZZLE", "QUAKE", "QUEEN", "QUEST",
    // 300-309
    "QUICK", "QUIET", "RABBIT", "RAIN", "RAMP", "RATIO", "RAY", "READ", "RECESS", "RELIEF",
    // 310-319
    "REPORT", "REQUEST", "RESPECT", "REST", "RICE", "RIGHT", "RING", "ROAD", "ROCK", "ROCKET",
    // 320-329
    "ROLL", "ROOK", "ROOM", "ROUND", "ROSE", "ROUGH", "RUBBER", "RULE", "RUN", "SAD",
    // 330-339
    "SALARY", "SAIL", "SALT", "SAME", "SAND", "SAVE", "SCALE", "SCARE", "SCHOOL", "SEAT",
    // 340-349
    "SELL", "SEND", "SHARK", "SHARP", "SHEEP", "SHIELD", "SHIP", "SHOUT", "SILLY", "SISTER",
    // 350-359
    "SKATE", "SKUNK", "SLIDE", "SLOPE", "SMART", "SNAIL", "SOAP", "SOFT", "SOME", "SOUTH",
    // 360-369
    "SPACE", "SPECIAL", "SPEAK", "SPELL", "SPICE", "SPIN", "SPINE", "SPORT", "SPRING", "SQUARE",
    // 370-379
    "STAR", "START", "STEAM", "STEP", "STING", "STOCK", "STOP", "STREET", "SUNNY", "SUNSET",
    // 380-389
    "SUPER", "SUPPER", "SWAN", "SWIM", "SWING", "TABLE", "TAIL", "TALL", "TAPE", "TASTE",
    // 390-399
    "TEACH", "TEAR", "TEETH", "TENNIS", "TEST", "THING", "THINK", "THORN", "THREAD", "TIGER",
    // 400-409
    "TIME", "TOMATO", "TOUCH", "TOUGH", "TOY", "TRADE", "TRAIN", "TRASH", "TREE", "TROUBLE",
    // 410-419
    "TRUTH", "TURKEY", "TURN", "TURTLE", "UNCLE", "UNDER", "UNICORN", "UNLOCK", "UNLESS", "UPPER",
    // 420-429
    "UNTIL", "UPSET", "USE", "VACUUM", "VAN", "VARY", "VERY", "VINE", "VIOLIN", "VOICE",
    // 430-439
    "VULTURE", "WAGON", "WALK", "WALL", "WATER", "WAVE", "WEAR", "WEATHER", "WEB", "WELL",
    // 440-449
    "WEIGHT", "WHALE", "WHEEL", "WHITE", "WIDE", "WIG", "WILL", "WINDOW", "WIND", "WOLF",
    // 450-459
    "WOOD", "WORD", "WORK", "WRITER", "YAK", "YEAR", "YELLOW", "YOUNG", "YOU", "ZEBRA",
    // 460-464
    "ZERO", "ZIPPER", "ZONE", "ZOO", "ZOOM",
};
// clang-format on

int wordIndexFor(float r) {
    // A float's 24-bit fraction times 465 is exact in double, so r < 1 can never round up to 465.
    return int(std::floor(double(r) * WordCount));
}

} // namespace hangman
