#pragma once

#include "console/text_encoding.hpp"

namespace match3 {

// The questions and the farewell, each in English and then in Russian.
inline constexpr auto kStartQuestion = toCp1251(
    u8"Do you want to start?  (Y/N) //  хотите начать играть? (да, нет ) (ввод на английском)\n\n");

inline constexpr auto kPlayQuestion = toCp1251(
    u8"\n enter y/n if you want to play ( введите да или нет чтобы играть) (ввод на английском)\n");

inline constexpr auto kCoordinateQuestion = toCp1251(
    u8"\n enter cordination of object X, Y , remember on that pirch it start from  (1.1)  "
    u8"( то есть после вводе помните что ваши корд  X и Y  будут X-1 и  Y-1 )\n");

inline constexpr auto kDirectionQuestion = toCp1251(
    u8"enter letter 'r' , 'l' , 'd' , 'u' (введите r-право , u-вверх , d-вниз  , l-налево) "
    u8"(ввод на английском)\n");

inline constexpr auto kFarewell = toCp1251(u8"\n Thanks for playing ( Спасибо за игру )\n");

}  // namespace match3
