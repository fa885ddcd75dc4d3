#!/usr/bin/perl
# Walks an NTX index with Perl's XBase::Index and prints every entry in the
# order the module returns it: the key as hex, a tab, the record number.
use strict;
use warnings;
use XBase::Index;

my $index = XBase::Index->new($ARGV[0], type => 'C')
    or die "XBase::Index: " . XBase::Index->errstr . "\n";
$index->prepare_select or die "prepare_select failed\n";
while (my ($key, $recno) = $index->fetch) {
    print unpack('H*', $key), "\t", $recno, "\n";
}
