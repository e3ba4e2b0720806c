#pragma once

// The seventeen kinds of things on the map, for the level classes that only hold
// arrays of them.
class DeadCar;
class Chest;
class PinkMan;
class BlackMan;
class Cat;
class Shop;
class NosBoost;
class DeadTree;
class PalmTree;
class Possie;
class Dog;
class EuroEgg;
class Afro;
class Flower;
class Portal;
class Soap;
class Hellrift;
