#!/usr/bin/perl
# Stand-in "cleartool" for the trigger script's tests (a wrapper on the PATH sets FAKE_CT_*).
# Answers describe -fmt <format> <path>@@/main/0 ..., describe -long vob:<tag> and lsvob -short
# from FAKE_CT_FIXTURE, one line each: <path> (the element exists), <path>\t<name>\t<value>
# (a string attribute; \n, \t, \\ escapes) or vob\t<tag>\t<owner>.
# FAKE_CT_LOG: append every call's arguments. FAKE_CT_FAIL: fail with this text. FAKE_CT_CRLF:
# end lines with CR LF. FAKE_CT_REPLY: answer wrongly: silent, other (another element),
# listing (the -aattr listing), number (an unquoted value), first (only the first version),
# swapped (the versions in reverse order), truncated (the last line missing), extra (one line
# more), error (an error line, status 0), status (the right answer, status 1); or parens (an
# absent attribute as "()").
use strict;
use warnings;

if (my $log = $ENV{FAKE_CT_LOG}) {
    open(my $out, '>>', $log) or die "cannot append to $log: $!\n";
    print $out join("\t", @ARGV), "\n";
    close($out);
}
fail($ENV{FAKE_CT_FAIL}) if defined $ENV{FAKE_CT_FAIL};
my $reply = $ENV{FAKE_CT_REPLY} || '';
exit 0 if $reply eq 'silent';
my $eol = $ENV{FAKE_CT_CRLF} ? "\r\n" : "\n";
binmode(STDOUT);

if (@ARGV == 3 && $ARGV[0] eq 'describe' && $ARGV[1] eq '-long' && $ARGV[2] =~ /^vob:(.*)$/s) {
    my ($owner) = map { $_->[2] } grep { $_->[0] eq 'vob' && $_->[1] eq $1 } fixture();
    fail("Unable to determine VOB for pathname \"$1\".") unless defined $owner;
    print join($eol, "versioned object base \"$1\"", '  VOB ownership:', "    owner $owner", '    group ccusers'), $eol;
    exit 0;
}
if (@ARGV == 2 && $ARGV[0] eq 'lsvob' && $ARGV[1] eq '-short') {
    print map { "$_->[1]$eol" } grep { $_->[0] eq 'vob' } fixture();
    exit 0;
}
fail("fake cleartool does not know: @ARGV") unless @ARGV >= 4 && $ARGV[0] eq 'describe' && $ARGV[1] eq '-fmt';
my ($format, @versions) = @ARGV[2 .. $#ARGV];
@versions = reverse(@versions) if $reply eq 'swapped';
@versions = ($versions[0]) if $reply eq 'first';
my %fixture;
push(@{ $fixture{ $_->[0] } }, $_) for fixture();
my ($answer, $missing) = ('', '');
foreach my $version (@versions) {
    fail("Not a version: \"$version\"") unless $version =~ /^(.*)\@\@\/main\/0$/s;
    my $path = $1;
    if (!$fixture{$path}) {
        $missing = "Unable to access \"$version\": No such file or directory.";
        next;
    }
    my %attributes = map { $_->[1] => $_->[2] } grep { @$_ == 3 } @{ $fixture{$path} };
    if ($reply eq 'listing') {
        $answer .= "$version$eol  Attributes:$eol" . join('', map { "    $_ = \"$attributes{$_}\"$eol" } sort keys %attributes);
        next;
    }
    $answer .= formatted($format, $reply eq 'other' ? "$path.other" : $path, \%attributes);
}
$answer =~ s/[^\n]*\n?\z// if $reply eq 'truncated';
$answer .= "x$eol" if $reply eq 'extra';
print STDERR "cleartool: Error: Unable to contact the VOB server.\n" if $reply eq 'error';
print $answer;
fail($missing) if $missing ne '';
exit($reply eq 'status' ? 1 : 0);

# The -fmt conversions the script uses: %m, %En, %Vn, %[NAME]a and the escape \n.
sub formatted {
    my ($text, $path, $attributes) = @_;
    my $out = '';
    while ($text ne '') {
        if ($text =~ s/^\\n//) {
            $out .= $eol;
        } elsif ($text =~ s/^%m//) {
            $out .= 'version';
        } elsif ($text =~ s/^%En//) {
            $out .= $path;
        } elsif ($text =~ s/^%Vn//) {
            $out .= '/main/0';
        } elsif ($text =~ s/^%\[([^\]]+)\]a//) {
            my $value = $attributes->{$1};
            $out .= !defined($value) ? ($reply eq 'parens' ? '()' : '')
                : $reply eq 'number' ? "($1=$value)" : "($1=\"$value\")";
        } elsif ($text =~ s/^([^%\\]+)//) {
            $out .= $1;
        } else {
            fail("fake cleartool does not know the format at: $text");
        }
    }
    return $out;
}

sub fixture {
    my $file = $ENV{FAKE_CT_FIXTURE};
    return () unless defined $file;
    open(my $in, '<', $file) or fail("cannot read fixture $file: $!");
    binmode($in);
    my @rows;
    while (my $line = <$in>) {
        chomp $line;
        my @fields = split(/\t/, $line, 3);
        $fields[2] = unescape($fields[2]) if @fields == 3 && $fields[0] ne 'vob';
        push @rows, \@fields;
    }
    close($in);
    return @rows;
}

sub unescape { return $_[0] =~ s/\\(.)/$1 eq 'n' ? "\n" : $1 eq 't' ? "\t" : $1/ger }

sub fail {
    my ($message) = @_;
    print STDERR "cleartool: Error: $message\n";
    exit 1;
}
